#include "widgets/CStaticHelp.h"
#include "widgets/CStaticTip.h"

#include "GuiTestSupport.h"
#include "support/NamedChild.h"

#include <QEnterEvent>

#include <gtest/gtest.h>

namespace {

void enter(CStaticHelp& icon)
{
    QEnterEvent event(QPointF(4, 4), QPointF(4, 4), icon.mapToGlobal(QPointF(4, 4)));
    QCoreApplication::sendEvent(&icon, &event);
}

void leave(CStaticHelp& icon)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&icon, &event);
}

TEST(CStaticHelpTest, OneLinePerFortyTwoCharacters)
{
    EXPECT_EQ(CStaticHelp::tipSize(41, 6, 13), QSize(6 * 42 + 5, 13));
    EXPECT_EQ(CStaticHelp::tipSize(42, 6, 13), QSize(6 * 42 + 5, 26));
    EXPECT_EQ(CStaticHelp::tipSize(0, 6, 13), QSize(257, 13));
}

TEST(CStaticHelpTest, TipStaysInsideTheWorkArea)
{
    const QRect workArea(0, 0, 1000, 700);
    const QSize tip(257, 39);
    EXPECT_EQ(CStaticHelp::tipPosition(QRect(100, 100, 16, 16), tip, workArea), QPoint(121, 100));
    // Near the right edge the pop-up goes to the icon's left.
    EXPECT_EQ(CStaticHelp::tipPosition(QRect(900, 100, 16, 16), tip, workArea), QPoint(900 - 257 - 5, 100));
    // Near the bottom it is lifted to 20 pixels above the work area's bottom.
    EXPECT_EQ(CStaticHelp::tipPosition(QRect(100, 680, 16, 16), tip, workArea), QPoint(121, 700 - 39 - 20));
}

TEST(CStaticHelpTest, RestingShowsTheTipAndLeavingRemovesIt)
{
    QWidget dialog;
    auto* icon = new CStaticHelp(QStringLiteral("Select this option to save at regular intervals."), &dialog);
    // Away from the offscreen cursor, which rests at 0, 0 and would enter the icon.
    dialog.resize(200, 200);
    icon->move(100, 100);
    dialog.show();
    QCoreApplication::processEvents();

    enter(*icon);
    EXPECT_EQ(icon->findChild<CStaticTip*>(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return icon->findChild<CStaticTip*>() != nullptr; }, 2000));
    EXPECT_TRUE(icon->isHighlighted());
    EXPECT_EQ(child<CStaticTip>(*icon, "helpTip")->text(), icon->helpText());
    EXPECT_TRUE(child<CStaticTip>(*icon, "helpTip")->isVisible());
    EXPECT_EQ(child<CStaticTip>(*icon, "helpTip")->palette().color(QPalette::Window), QColor(248, 235, 1));

    leave(*icon);
    EXPECT_EQ(icon->findChild<CStaticTip*>(), nullptr);
    EXPECT_FALSE(icon->isHighlighted());
}

TEST(CStaticHelpTest, LeavingBeforeTheHoverTimeShowsNothing)
{
    QWidget dialog;
    auto* icon = new CStaticHelp(QStringLiteral("text"), &dialog);
    // Away from the offscreen cursor, which rests at 0, 0 and would enter the icon.
    dialog.resize(200, 200);
    icon->move(100, 100);
    dialog.show();
    QCoreApplication::processEvents();
    enter(*icon);
    leave(*icon);
    QTest::qWait(CStaticHelp::kHoverMilliseconds * 3);
    EXPECT_EQ(icon->findChild<CStaticTip*>(), nullptr);
    EXPECT_FALSE(icon->isHighlighted());
}

} // namespace
