#include "profiles/ui/CAddRotateText.h"

#include "common/MessageBox.h"
#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace SendingProfile {

namespace {

constexpr const char* kEmptyText = "Please enter a text or cancel the operation";

} // namespace

CAddRotateText::CAddRotateText(IMessageBox& messages, QWidget* parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_text(new QPlainTextEdit)
    , m_counter(new QLabel)
    , m_ok(new QPushButton(QStringLiteral("OK")))
    , m_cancel(new QPushButton(QStringLiteral("Cancel")))
{
    setWindowTitle(QString::fromUtf8(kDefaultCaption));
    m_text->setTabChangesFocus(true);
    m_text->installEventFilter(this);
    connect(m_text, &QPlainTextEdit::textChanged, this, &CAddRotateText::recount);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_counter);
    layout->addLayout(buttons);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CAddRotateText::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CAddRotateText::reject);
    resize(420, 180);
    recount();
    m_text->setFocus();

    m_text->setObjectName("textEdit");
    m_counter->setObjectName("counterLabel");
    m_ok->setObjectName("okButton");
    m_cancel->setObjectName("cancelButton");
}

std::optional<std::string> CAddRotateText::edit(
    IMessageBox& messages, QWidget* parent, const QString& caption, const std::string& text)
{
    CAddRotateText editor(messages, parent);
    editor.setWindowTitle(caption);
    editor.setText(text);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.text();
}

void CAddRotateText::setText(const std::string& text)
{
    m_text->setPlainText(toQString(text));
    m_text->moveCursor(QTextCursor::End);
}

std::string CAddRotateText::text() const
{
    return toStdString(m_text->toPlainText());
}

void CAddRotateText::accept()
{
    if (m_text->document()->isEmpty()) {
        m_messages.show(kEmptyText, kVanteloCaption, MessageIcon::Information);
        m_text->setFocus();
        return;
    }
    QDialog::accept();
}

// Enter confirms the text, as in a one-line field; with a modifier it breaks the line.
bool CAddRotateText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_ok->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CAddRotateText::recount()
{
    m_count = countText(text());
    m_counter->setText(toQString(counterLine(m_count)));
}

} // namespace SendingProfile
