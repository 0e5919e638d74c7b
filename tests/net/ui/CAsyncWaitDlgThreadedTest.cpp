#include "net/ui/CAsyncWaitDlg.h"
#include "net/ui/QtWaitDialog.h"

#include "GuiTestSupport.h"
#include "net/HttpClient.h"
#include "net/LoopbackServer.h"
#include "support/NamedChild.h"
#include "widgets/CAnimatedPicture.h"

#include <QElapsedTimer>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

WaitRequest getRequest(const std::string& url, const std::string& message = WaitRequest::kDefaultMessage)
{
    WaitRequest request;
    request.url = url;
    request.message = message;
    return request;
}

// Opens the dialog without blocking and waits until it closes by itself.
int runUntilClosed(CAsyncWaitDlg& dialog, int milliseconds = 10000)
{
    dialog.open();
    EXPECT_TRUE(waitUntil([&] { return !dialog.isVisible(); }, milliseconds));
    return dialog.result();
}

TEST(CAsyncWaitDlgThreaded, SucceededRequestEndsWithOneAndTheResponse)
{
    LoopbackServer server;
    server.serve("/customers/autocheck/dirdata.xml.version.txt", 404, "126");
    server.start();
    CAsyncWaitDlg dialog;
    dialog.setRequest(
        getRequest(server.url("/customers/autocheck/dirdata.xml.version.txt"), "Checking for update..."));
    dialog.open();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Please wait..."));
    EXPECT_EQ(child<QLabel>(dialog, "messageLabel")->text(), QStringLiteral("Checking for update..."));
    EXPECT_TRUE(child<CAnimatedPicture>(dialog, "waitPicture")->isPlaying());
    ASSERT_TRUE(waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), CAsyncWaitDlg::kSucceeded);
    EXPECT_EQ(dialog.response(), "126");
    EXPECT_EQ(dialog.target().host, server.host());
    EXPECT_EQ(dialog.target().path, "/customers/autocheck/dirdata.xml.version.txt");
}

TEST(CAsyncWaitDlgThreaded, FailedRequestEndsWithTwo)
{
    CAsyncWaitDlg dialog;
    dialog.setRequest(getRequest("http://127.0.0.1:" + std::to_string(refusedPort()) + "/"));
    EXPECT_EQ(runUntilClosed(dialog), CAsyncWaitDlg::kFailed);
    EXPECT_EQ(dialog.response(), "");
}

TEST(CAsyncWaitDlgThreaded, EnterAndEscapeDoNotCloseIt)
{
    setHttpTimeouts({ 1s, 1s });
    SilentServer silent;
    CAsyncWaitDlg dialog;
    dialog.setRequest(getRequest("http://" + silent.host() + "/"));
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Return);
    dialog.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), CAsyncWaitDlg::kFailed);
}

TEST(CAsyncWaitDlgThreaded, ResultArrivingAfterTheDialogIsGoneIsDropped)
{
    LoopbackServer server;
    server.handle("/slow", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(300ms);
        response.set_content("late", "text/plain");
    });
    server.start();
    auto* dialog = new CAsyncWaitDlg;
    dialog->setRequest(getRequest(server.url("/slow")));
    dialog->open();
    ASSERT_TRUE(waitUntil([&] { return !server.requests().empty(); }));
    delete dialog;
    // The worker finishes its request after the dialog is gone and must not touch it.
    QTest::qWait(700);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(CAsyncWaitDlgThreaded, ProcessWaitEndsWhenTheProcessEnds)
{
    QProcess process;
    process.start(QStringLiteral("sleep"), { QStringLiteral("0.3") });
    ASSERT_TRUE(process.waitForStarted());
    CAsyncWaitDlg dialog;
    dialog.setWaitProcess(&process);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(runUntilClosed(dialog), CAsyncWaitDlg::kSucceeded);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_EQ(process.state(), QProcess::NotRunning);

    // A process that has already ended ends the wait at once.
    CAsyncWaitDlg again;
    again.setWaitProcess(&process);
    EXPECT_EQ(runUntilClosed(again, 2000), CAsyncWaitDlg::kSucceeded);
}

TEST(CAsyncWaitDlgThreaded, QtWaitDialogRunsTheRequestModally)
{
    LoopbackServer server;
    server.serve("/customers/reportbroken.php", 200, "thanks");
    server.start();
    QtWaitDialog wait;
    WaitRequest request = getRequest(server.url("/customers/reportbroken.php"));
    request.postData = "reason=2";
    const WaitResult result = wait.run(request);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.response, "thanks");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method, "POST");
    EXPECT_EQ(server.requests()[0].body, "reason=2");
}

} // namespace
