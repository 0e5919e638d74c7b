#pragma once

#include <optional>
#include <string_view>

// The kind of a form control that a directory item fills.
enum class ControlType {
    Edit = 0, // "edit": a text input or text area
    Select = 1, // "select": a drop-down; the value names the option to choose
    Checkbox = 2, // "checkbox": a check box; the value says whether to tick it
    ReciprocalText = 3, // "reciprocaltext": the field that holds the reciprocal link code
    Reciprocal = 4, // "reciprocal": the field for the URL of the page with the reciprocal link
};

// The text of a control type in the directory files ("edit", "select", ...).
std::string_view controlTypeText(ControlType type);

// The control type of a text of the directory files; empty for any other text.
std::optional<ControlType> controlTypeFromText(std::string_view text);
