#include "net/ui/QtProgramRunner.h"
#include "net/ui/CAsyncWaitDlg.h"

#include "GuiTestSupport.h"
#include "support/NamedChild.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtProgramRunnerTest, TheWaitDialogStaysUntilTheProgramEnds)
{
    QWidget parent;
    QtProgramRunner runner(&parent);
    QString shownMessage;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CAsyncWaitDlg*>(QApplication::activeModalWidget()))
            shownMessage = child<QLabel>(*dialog, "messageLabel")->text();
    });
    probe.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(runner.runAndWait(
        "/bin/sh", { "-c", "sleep 0.4" }, "Please close the list checker before continuing..."));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_EQ(shownMessage, QStringLiteral("Please close the list checker before continuing..."));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    EXPECT_FALSE(runner.runAndWait("/nonexistent/tessaly", {}, "never shown"));
}

} // namespace
