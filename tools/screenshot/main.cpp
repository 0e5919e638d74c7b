// vantelo-screenshot: starts the main window on a data folder, waits until its
// start page has loaded, and saves a picture of the window. `make screenshot`
// runs it under Xvfb with the sample data to make docs/screenshot-main.png.

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/CQuenlarDlg.h"
#include "common/Clock.h"
#include "common/RandomSource.h"
#include "common/StderrMessageBox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

constexpr int kLoadTimeoutMs = 30000;
// Time for the page to paint after it has loaded.
constexpr int kSettleMs = 1500;

void waitFor(const std::function<bool()>& condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(50);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: vantelo-screenshot DATA_DIR OUT.png [WIDTH HEIGHT]\n";
        return 2;
    }
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_TIME, "");
    const int width = argc >= 5 ? std::atoi(argv[3]) : 1100;
    const int height = argc >= 5 ? std::atoi(argv[4]) : 700;

    StderrMessageBox messages;
    SystemClock clock;
    SystemRandomSource random;
    CQuenlarDlg window(messages, clock, random, DataFolder(argv[1]));
    window.resize(width, height);
    window.show();
    bool loaded = false;
    if (BrowserTab* start = window.tabs().tab(window.tabs().currentSlot()))
        QObject::connect(start, &BrowserTab::loadCompleted, [&loaded] { loaded = true; });
    waitFor([&] { return loaded && window.isLoaded(); }, kLoadTimeoutMs);
    QTest::qWait(kSettleMs);

    const QPixmap picture = window.screen()->grabWindow(window.winId());
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]))) {
        std::cerr << "vantelo-screenshot: cannot save " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
