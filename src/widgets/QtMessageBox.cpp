#include "widgets/QtMessageBox.h"

#include "widgets/QtText.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

QtMessageBox::QtMessageBox(QWidget* parent)
    : m_parent(parent)
{
}

void QtMessageBox::show(const std::string& text, const std::string& caption, MessageIcon icon)
{
    ask(text, caption, MessageButtons::Ok, icon);
}

MessageAnswer QtMessageBox::ask(
    const std::string& text, const std::string& caption, MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(qtIcon(icon), toQString(caption), toQString(text), qtButtons(buttons), m_parent);
    // Messages carry text from pages and files (a link code, a directory's
    // name); markup in them is shown as written, never rendered.
    box.setTextFormat(Qt::PlainText);
    // Closing the box with Escape or its close button means the "no" answer.
    if (buttons == MessageButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    return answerOf(box.exec());
}
