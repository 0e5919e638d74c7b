#include "filling/PageAnswer.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

// An answer is one object of texts; anything nested deeper is not an answer.
constexpr int kMaxDepth = 4;

std::string textOf(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

} // namespace

PageAnswer readPageAnswer(std::string_view text)
{
    PageAnswer answer;
    try {
        const auto shallow = [](int depth, json::parse_event_t, json&) { return depth <= kMaxDepth; };
        const json parsed = json::parse(text.begin(), text.end(), shallow, false);
        if (!parsed.is_object())
            return answer;
        answer.token = textOf(parsed, "token");
        if (answer.token.empty())
            return answer;
        if (std::string source = textOf(parsed, "source"); !source.empty())
            answer.source = std::move(source);
    } catch (const std::exception&) {
        return {};
    }
    return answer;
}
