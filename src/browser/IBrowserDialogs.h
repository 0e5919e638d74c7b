#pragma once

#include <optional>
#include <string>

// A script dialog a page asks for.
struct PageDialog {
    enum class Kind {
        Alert, // a message with OK
        Confirm, // a question with OK and Cancel
        Prompt, // a question with a line of text, OK and Cancel
    };

    Kind kind = Kind::Alert;
    std::string caption; // names the page's host: "example.com says"
    std::string text;
    std::string defaultValue; // a prompt's text at first
    bool offerPrevent = false; // offers "Prevent this page from creating more dialogs"
};

// What the user did with a script dialog.
struct PageDialogAnswer {
    bool accepted = false; // OK rather than Cancel (an alert's answer is always taken as OK)
    std::string value; // a prompt's text
    bool prevent = false; // "Prevent this page from creating more dialogs" was ticked
};

// A server's request for a user name and password (HTTP basic or digest sign-in).
struct SignInRequest {
    std::string server; // "https://host:port" as the dialog names it
    std::string realm; // the server's name for what it protects
    std::string userName; // offered at first
};

// The user's answer to a sign-in request.
struct SignInAnswer {
    std::string userName;
    std::string password;
    bool remember = false; // "Remember for this session"
};

// The dialogs the browser's pages ask the user through: the GUI shows them,
// tests answer them.
class IBrowserDialogs {
public:
    virtual ~IBrowserDialogs() = default;

    // Shows a script dialog and waits for the user.
    virtual PageDialogAnswer pageDialog(const PageDialog& dialog) = 0;
    // Asks for a user name and password; nothing when the user cancelled.
    virtual std::optional<SignInAnswer> signIn(const SignInRequest& request) = 0;
};

// The choice a script dialog offers when a page opens them in a loop.
inline constexpr const char* kPreventMoreDialogs = "Prevent this page from creating more dialogs";
// The choice of the sign-in dialog that keeps the answer until the program ends.
inline constexpr const char* kRememberForSession = "Remember for this session";
