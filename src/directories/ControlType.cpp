#include "directories/ControlType.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<ControlType, std::string_view>, 5> kTypeTexts { {
    { ControlType::Edit, "edit" },
    { ControlType::Select, "select" },
    { ControlType::Checkbox, "checkbox" },
    { ControlType::ReciprocalText, "reciprocaltext" },
    { ControlType::Reciprocal, "reciprocal" },
} };

} // namespace

std::string_view controlTypeText(ControlType type)
{
    for (const auto& [candidate, text] : kTypeTexts)
        if (candidate == type)
            return text;
    return {};
}

std::optional<ControlType> controlTypeFromText(std::string_view text)
{
    for (const auto& [type, candidate] : kTypeTexts)
        if (candidate == text)
            return type;
    return std::nullopt;
}
