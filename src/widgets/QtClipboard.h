#pragma once

#include "common/IClipboard.h"

class IMessageBox;

// The system clipboard: puts text there and says so when it could not.
class QtClipboard : public IClipboard {
public:
    explicit QtClipboard(IMessageBox& messages);

    // CopyToClipboard: replaces the clipboard's text.
    void setText(const std::string& text) override;

private:
    IMessageBox& m_messages;
};
