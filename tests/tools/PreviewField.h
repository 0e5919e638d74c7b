#pragma once

#include <nlohmann/json.hpp>

#include <string>

// What a field printed by fill-preview --json holds, as a page's expectation
// reads it: its text, the chosen option, "checked", or a file input's file names.
inline std::string heldValue(const nlohmann::json& field)
{
    if (field.contains("files")) {
        std::string names;
        for (const nlohmann::json& file : field["files"])
            names += (names.empty() ? "" : ",") + file.get<std::string>();
        return names;
    }
    if (field["tag"] == "select")
        return field["selected"].is_string() ? field["selected"].get<std::string>() : "";
    if (field.value("type", "") == "checkbox" || field.value("type", "") == "radio")
        return field["checked"].get<bool>() ? "checked" : "";
    return field.value("value", "");
}
