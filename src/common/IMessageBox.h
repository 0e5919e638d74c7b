#pragma once

#include <string>

// The icon a message box shows; the icons are part of each message's behaviour.
enum class MessageIcon {
    None, // no icon
    Error, // stop sign: something failed
    Warning, // exclamation mark
    Information, // "i" in a bubble
    Question, // question mark
};

// The buttons a question offers.
enum class MessageButtons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
};

// The button the user chose.
enum class MessageAnswer {
    Ok,
    Cancel,
    Yes,
    No,
};

// Everything the core would show the user in a message box goes through this
// interface: the GUI implements it with real dialogs, the tools print to stderr,
// and tests record what was shown.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    // Shows a text with a caption and an icon and waits for OK.
    virtual void show(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

    // Asks a question and returns the button chosen.
    virtual MessageAnswer ask(
        const std::string& text, const std::string& caption, MessageButtons buttons, MessageIcon icon) = 0;
};

// The caption of the main program's messages.
inline constexpr const char* kVanteloCaption = "Vantelo";
