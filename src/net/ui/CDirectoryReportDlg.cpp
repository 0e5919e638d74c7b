#include "net/ui/CDirectoryReportDlg.h"

#include "widgets/QtText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kCaption = "Report Broken Directory";
constexpr const char* kGroupTitle = "Problem description";
constexpr const char* kExplanation = "You can write a short description of the problem or select one from "
                                     "the options below to help us solve the "
                                     "problem in the shortest time";

} // namespace

CDirectoryReportDlg::CDirectoryReportDlg(QWidget* parent)
    : QDialog(parent)
    , m_comment(new QPlainTextEdit)
    , m_wrongCategory(new QCheckBox(toQString("Wrong category")))
    , m_paidOnly(new QCheckBox(toQString("Paid only")))
    , m_serverDown(new QCheckBox(toQString("Server down/page not found")))
    , m_send(new QPushButton(toQString("Send")))
    , m_cancel(new QPushButton(toQString("Cancel")))
{
    setWindowTitle(toQString(kCaption));
    auto* explanation = new QLabel(toQString(kExplanation));
    explanation->setWordWrap(true);
    // Tab moves on from the comment instead of typing a tab into it.
    m_comment->setTabChangesFocus(true);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(m_wrongCategory);
    boxes->addWidget(m_paidOnly);
    boxes->addWidget(m_serverDown);
    auto* group = new QGroupBox(toQString(kGroupTitle));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(explanation);
    groupLayout->addWidget(m_comment, 1);
    groupLayout->addLayout(boxes);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    m_send->setDefault(true);
    connect(m_send, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(400, 200);
    m_comment->setFocus();

    m_comment->setObjectName("commentEdit");
    m_wrongCategory->setObjectName("wrongCategoryBox");
    m_paidOnly->setObjectName("paidOnlyBox");
    m_serverDown->setObjectName("serverDownBox");
    m_send->setObjectName("sendButton");
    m_cancel->setObjectName("cancelButton");
}

BrokenReportForm CDirectoryReportDlg::form() const
{
    BrokenReportForm form;
    form.comment = toStdString(m_comment->toPlainText());
    form.wrongCategory = m_wrongCategory->isChecked();
    form.paidOnly = m_paidOnly->isChecked();
    form.serverDown = m_serverDown->isChecked();
    return form;
}

std::optional<BrokenReportForm> CDirectoryReportDlg::ask(QWidget* parent)
{
    CDirectoryReportDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.form();
}
