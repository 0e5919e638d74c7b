#pragma once

#include "browser/IBrowserDialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The dialog of a page's alert, confirm or prompt: the page's text as plain
// text under a caption that names the page's host, a line to type in for a
// prompt, and the offer to prevent more dialogs when the page opens them in a loop.
class JavaScriptDialog : public QDialog {
    Q_OBJECT

public:
    explicit JavaScriptDialog(const PageDialog& dialog, QWidget* parent = nullptr);

    // The user's answer once the dialog closed.
    PageDialogAnswer answer() const;

private:
    PageDialog::Kind m_kind;
    QLineEdit* m_value = nullptr;
    QCheckBox* m_prevent = nullptr;
};
