#include "widgets/QtMessageBox.h"

#include "GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A message that carries a link code shows the code as written: rendered, it
// would show as a link, and its markup would be hidden from the user.
TEST(QtMessageBoxTest, MarkupInAMessageIsShownAsWritten)
{
    const QString code = QStringLiteral("<a href=\"http://dir.example/\">Dir</a><script>x()</script>");
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is open";
            return;
        }
        format = box->textFormat();
        text = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QtMessageBox messages(nullptr);
    EXPECT_EQ(messages.ask(code.toStdString(), "Vantelo", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::Yes);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, code);
}

} // namespace
