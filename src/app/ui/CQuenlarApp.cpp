#include "app/ui/CQuenlarApp.h"

#include "app/ProgramArguments.h"
#include "app/ui/CQuenlarDlg.h"
#include "app/ui/SingleInstance.h"
#include "browser/ui/BrowserProfile.h"
#include "browser/ui/QtBrowserDialogs.h"
#include "common/DataFolder.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "common/Version.h"
#include "widgets/QtFileDialog.h"
#include "widgets/QtMessageBox.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

// What the embedded browser needs before the application object exists.
void prepareBrowserEnvironment()
{
    // Chromium refuses to run as root inside its sandbox.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace

CQuenlarApp::CQuenlarApp(int& argc, char** argv)
    : m_argc(argc)
    , m_argv(argv)
{
    for (int i = 1; i < argc; ++i)
        m_arguments.emplace_back(argv[i]);
}

int CQuenlarApp::run()
{
    const ProgramArguments arguments = parseProgramArguments(m_arguments);
    if (arguments.help) {
        std::cout << programUsage();
        return 0;
    }
    if (arguments.version) {
        std::cout << "vantelo " << programVersion() << '\n';
        return 0;
    }
    if (!arguments.error.empty()) {
        std::cerr << "vantelo: " << arguments.error << '\n' << programUsage();
        return 2;
    }

    prepareBrowserEnvironment();
    QApplication application(m_argc, m_argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganization));
    QCoreApplication::setApplicationName(QStringLiteral("Vantelo"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // Submission dates name the month in the user's language.
    std::setlocale(LC_TIME, "");

    const DataFolder folder = DataFolder::resolveForProgram(arguments.dataDir, shippedFilesFolder());
    SingleInstance instance(folder.root());
    if (instance.notifyRunningInstance())
        return 0;
    instance.listen();

    QtMessageBox messages;
    SystemClock clock;
    SystemRandomSource random;
    QtBrowserDialogs browserDialogs;
    QtFileDialog downloadDialog(nullptr);
    // The tabs and the directory wizard share the profile; it outlives their pages and, going
    // last, writes the cookies to disk.
    BrowserProfile browser(folder.browser(), { &browserDialogs, &downloadDialog, &messages });
    CQuenlarDlg window(messages, clock, random, folder, browser);
    messages.setParent(&window);
    downloadDialog.setParent(&window);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &CQuenlarDlg::bringToFront);
    window.show();
    return application.exec();
}
