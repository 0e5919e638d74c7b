#include "checker/ui/CTessalyApp.h"

#include "checker/CheckerHosts.h"
#include "checker/ui/CTessalyDlg.h"
#include "common/DataFolder.h"
#include "widgets/QtMessageBox.h"
#include "widgets/QtText.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Tessaly";
constexpr int kUsageExit = 2;

} // namespace

CTessalyApp::CTessalyApp(int& argc, char** argv)
    : m_argc(argc)
    , m_argv(argv)
{
}

int CTessalyApp::run()
{
    QApplication application(m_argc, m_argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplication));

    std::vector<std::string> words;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        words.push_back(toStdString(argument));
    const Arguments arguments = readArguments(words);
    if (!arguments.error.empty()) {
        std::cerr << "tessaly: " << arguments.error << "\nTry 'tessaly --help' for more information.\n";
        return kUsageExit;
    }

    QtMessageBox messages;
    CTessalyDlg dialog(
        readCheckerHosts(DataFolder::resolve(arguments.dataDir, "tessaly"), messages), messages);
    messages.setParent(&dialog);
    if (arguments.openFile)
        dialog.openFromCommandLine(*arguments.openFile);
    else if (arguments.loadFile)
        dialog.LoadDatabase(*arguments.loadFile);
    dialog.exec();
    // A worker still waiting on a server must not hold up the exit (the main
    // program waits for it); nothing is left unwritten, as saves happen on this
    // thread and replace files whole.
    if (dialog.isRunBusy()) {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
    return EXIT_SUCCESS;
}

CTessalyApp::Arguments CTessalyApp::readArguments(const std::vector<std::string>& arguments)
{
    return readWindowArguments(arguments, true);
}
