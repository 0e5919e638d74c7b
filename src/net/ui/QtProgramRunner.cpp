#include "net/ui/QtProgramRunner.h"

#include "net/ui/CAsyncWaitDlg.h"
#include "widgets/QtText.h"

#include <QProcess>

QtProgramRunner::QtProgramRunner(QWidget* parent)
    : m_parent(parent)
{
}

bool QtProgramRunner::runAndWait(const std::filesystem::path& program,
    const std::vector<std::string>& arguments, const std::string& message)
{
    QStringList words;
    for (const std::string& argument : arguments)
        words.append(toQString(argument));
    QProcess process;
    // Nothing of ours is handed to the program, and nobody reads what it prints.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(toQString(program.string()), words);
    if (!process.waitForStarted(-1))
        return false;
    CAsyncWaitDlg dialog(m_parent);
    WaitRequest request;
    request.message = message;
    dialog.setRequest(request);
    dialog.setWaitProcess(&process);
    dialog.exec();
    return true;
}
