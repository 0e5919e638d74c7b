#pragma once

#include "browser/IBrowserDialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// Asks for the user name and password a server wants (HTTP sign-in), with the
// choice to remember them until the program ends. Nothing is kept otherwise.
class SignInDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Sign in";

    explicit SignInDialog(const SignInRequest& request, QWidget* parent = nullptr);

    // What the user typed and chose.
    SignInAnswer answer() const;

private:
    QLineEdit* m_userName;
    QLineEdit* m_password;
    QCheckBox* m_remember;
};
