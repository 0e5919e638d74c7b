#pragma once

#include "browser/IBrowserDialogs.h"

// Shows the browser's script and sign-in dialogs modally over the active window.
class QtBrowserDialogs : public IBrowserDialogs {
public:
    PageDialogAnswer pageDialog(const PageDialog& dialog) override;
    std::optional<SignInAnswer> signIn(const SignInRequest& request) override;
};
