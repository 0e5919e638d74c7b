#include "browser/ui/JavaScriptDialog.h"

#include "widgets/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A page's text may be long; the dialog grows no wider than this.
constexpr int kTextWidth = 420;

} // namespace

JavaScriptDialog::JavaScriptDialog(const PageDialog& dialog, QWidget* parent)
    : QDialog(parent)
    , m_kind(dialog.kind)
{
    setWindowTitle(toQString(dialog.caption));
    auto* text = new QLabel(toQString(dialog.text));
    // What a page says is shown as it is, never as markup.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMaximumWidth(kTextWidth);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    if (dialog.kind == PageDialog::Kind::Prompt) {
        m_value = new QLineEdit(toQString(dialog.defaultValue));
        m_value->selectAll();
        m_value->setObjectName("promptEdit");
        layout->addWidget(m_value);
    }
    if (dialog.offerPrevent) {
        m_prevent = new QCheckBox(toQString(kPreventMoreDialogs));
        m_prevent->setObjectName("preventBox");
        layout->addWidget(m_prevent);
    }
    const bool asks = dialog.kind != PageDialog::Kind::Alert;
    auto* buttons =
        new QDialogButtonBox(asks ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    text->setObjectName("pageText");
    buttons->setObjectName("buttons");
}

PageDialogAnswer JavaScriptDialog::answer() const
{
    PageDialogAnswer answer;
    answer.accepted = m_kind == PageDialog::Kind::Alert || result() == QDialog::Accepted;
    if (m_value && answer.accepted)
        answer.value = toStdString(m_value->text());
    answer.prevent = m_prevent && m_prevent->isChecked();
    return answer;
}
