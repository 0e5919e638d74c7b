#pragma once

#include <nlohmann/json.hpp>

#include <string>

// What a field printed by fill-preview --json holds, as a page's expectation
// reads it: its text, the chosen option, or "checked".
inline std::string heldValue(const nlohmann::json& field)
{
    if (field["tag"] == "select")
        return field["selected"].is_string() ? field["selected"].get<std::string>() : "";
    if (field.value("type", "") == "checkbox")
        return field["checked"].get<bool>() ? "checked" : "";
    return field.value("value", "");
}
