#include "widgets/QtClipboard.h"

#include "common/IMessageBox.h"
#include "widgets/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

constexpr const char* kClipboardFailed =
    "An error occurred while placing the text in the clipboard. Please try again";

} // namespace

QtClipboard::QtClipboard(IMessageBox& messages)
    : m_messages(messages)
{
}

void QtClipboard::setText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString value = toQString(text);
    clipboard->setText(value);
    // The clipboard reports no failure of its own; a text that did not arrive is one.
    if (clipboard->text() != value)
        m_messages.show(kClipboardFailed, kVanteloCaption, MessageIcon::Warning);
}
