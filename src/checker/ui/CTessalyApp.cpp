#include "checker/ui/CTessalyApp.h"

#include "checker/CheckerHosts.h"
#include "checker/OpenCommandLine.h"
#include "checker/ui/CTessalyDlg.h"
#include "common/DataFolder.h"
#include "widgets/QtMessageBox.h"
#include "widgets/QtText.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Tessaly";
constexpr std::string_view kDataDirOption = "--data-dir";

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
    const Arguments arguments = readArguments(std::move(words));

    QtMessageBox messages;
    CTessalyDlg dialog(readCheckerHosts(DataFolder::resolve(arguments.dataDir)), messages);
    messages.setParent(&dialog);
    if (arguments.openFile)
        dialog.openFromCommandLine(*arguments.openFile);
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

CTessalyApp::Arguments CTessalyApp::readArguments(std::vector<std::string> arguments)
{
    Arguments read;
    for (auto at = arguments.begin(); at != arguments.end();) {
        if (*at == kDataDirOption && std::next(at) != arguments.end()) {
            read.dataDir = *std::next(at);
            at = arguments.erase(at, std::next(at, 2));
        } else if (at->starts_with(std::string(kDataDirOption) + "=")) {
            read.dataDir = at->substr(kDataDirOption.size() + 1);
            at = arguments.erase(at);
        } else {
            ++at;
        }
    }
    read.openFile = findOpenPath(joinArguments(arguments));
    return read;
}
