#include "filling/PageAnswer.h"

#include <nlohmann/json.hpp>

#include <limits>

using nlohmann::json;

namespace {

// An answer is an object of arrays of small objects; anything nested deeper is not an answer.
constexpr int kMaxDepth = 4;
// Bounds for what a page can make the program keep.
constexpr std::size_t kMaxTexts = 5000;
constexpr std::size_t kMaxFields = 1000;
constexpr std::size_t kMaxTextBytes = 4096;

// The text cut at a character boundary of UTF-8.
std::string cut(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string textOf(const json& object, const char* key, std::size_t limit = std::string::npos)
{
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string())
        return {};
    return cut(found->get_ref<const std::string&>(), limit);
}

const json* arrayOf(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_array() ? &*found : nullptr;
}

AnswerTextKind kindOf(const std::string& kind)
{
    if (kind == "message")
        return AnswerTextKind::Message;
    if (kind == "heading")
        return AnswerTextKind::Heading;
    return AnswerTextKind::Text;
}

std::vector<AnswerField> fieldsOf(const json& object)
{
    std::vector<AnswerField> fields;
    if (const json* list = arrayOf(object, "fields")) {
        for (const json& field : *list) {
            if (fields.size() >= kMaxFields)
                break;
            if (!field.is_object())
                continue;
            AnswerField read { textOf(field, "name", kMaxTextBytes), textOf(field, "value", kMaxTextBytes),
                -1 };
            const auto form = field.find("form");
            if (form != field.end() && form->is_number_integer() && form->get<std::int64_t>() >= 0
                && form->get<std::int64_t>() < std::numeric_limits<int>::max())
                read.form = static_cast<int>(form->get<std::int64_t>());
            if (!read.name.empty())
                fields.push_back(std::move(read));
        }
    }
    return fields;
}

std::optional<json> parsed(std::string_view text)
{
    try {
        const auto shallow = [](int depth, json::parse_event_t, json&) { return depth <= kMaxDepth; };
        json value = json::parse(text.begin(), text.end(), shallow, false);
        if (value.is_object() && !textOf(value, "token").empty())
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

} // namespace

PageAnswer readPageAnswer(std::string_view text)
{
    const std::optional<json> object = parsed(text);
    if (!object)
        return {};
    PageAnswer answer;
    answer.token = textOf(*object, "token");
    if (std::string source = textOf(*object, "source"); !source.empty())
        answer.source = std::move(source);
    const auto message = object->find("message");
    answer.message = message != object->end() && message->is_boolean() && message->get<bool>();
    if (const json* texts = arrayOf(*object, "texts")) {
        for (const json& entry : *texts) {
            if (answer.answer.texts.size() >= kMaxTexts)
                break;
            if (!entry.is_object())
                continue;
            std::string said = textOf(entry, "text", kMaxTextBytes);
            if (!said.empty())
                answer.answer.texts.push_back({ kindOf(textOf(entry, "kind")), std::move(said) });
        }
    }
    answer.answer.fields = fieldsOf(*object);
    return answer;
}

std::optional<FormSubmission> readFormSubmission(std::string_view text)
{
    const std::optional<json> object = parsed(text);
    if (!object)
        return std::nullopt;
    FormSubmission submission;
    submission.token = textOf(*object, "token");
    submission.form.fields = fieldsOf(*object);
    if (const json* texts = arrayOf(*object, "texts")) {
        for (const json& entry : *texts) {
            if (submission.form.pageTexts.size() >= kMaxTexts)
                break;
            if (entry.is_string() && !entry.get_ref<const std::string&>().empty())
                submission.form.pageTexts.push_back(cut(entry.get_ref<const std::string&>(), kMaxTextBytes));
        }
    }
    return submission;
}
