#include "browser/ui/QtBrowserDialogs.h"

#include "browser/ui/JavaScriptDialog.h"
#include "browser/ui/SignInDialog.h"

#include <QApplication>

PageDialogAnswer QtBrowserDialogs::pageDialog(const PageDialog& dialog)
{
    JavaScriptDialog shown(dialog, QApplication::activeWindow());
    shown.exec();
    return shown.answer();
}

std::optional<SignInAnswer> QtBrowserDialogs::signIn(const SignInRequest& request)
{
    SignInDialog shown(request, QApplication::activeWindow());
    if (shown.exec() != QDialog::Accepted)
        return std::nullopt;
    return shown.answer();
}
