#pragma once

#include <string>

// The system clipboard as the filling uses it: text only. The GUI implements it
// and reports its own failures; tests record what was put there.
class IClipboard {
public:
    virtual ~IClipboard() = default;

    // Replaces the clipboard's content with the text.
    virtual void setText(const std::string& text) = 0;
};
