#include "custom/ui/CAddReciprocalDlg.h"

#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddReciprocalDlg::CAddReciprocalDlg(QWidget* parent)
    : QDialog(parent)
    , m_code(new QPlainTextEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Add Reciprocal"));
    auto* prompt = new QLabel(QString::fromUtf8(kPrompt), this);
    prompt->setWordWrap(true);
    prompt->setBuddy(m_code);
    // Tab moves on to the buttons; Ctrl+Return confirms, Return breaks the line of code.
    m_code->setTabChangesFocus(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_code, 1);
    layout->addLayout(buttons);

    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_ok->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(440, 220);
    m_code->setFocus();

    m_code->setObjectName("codeEdit");
    m_ok->setObjectName("okButton");
    m_cancel->setObjectName("cancelButton");
}

std::optional<std::string> CAddReciprocalDlg::askCode(QWidget* parent)
{
    CAddReciprocalDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.code();
}

std::string CAddReciprocalDlg::code() const
{
    return toStdString(m_code->toPlainText());
}
