#include "net/ui/CAsyncWaitDlg.h"

#include "common/DataFolder.h"
#include "net/HttpClient.h"
#include "widgets/CAnimatedPicture.h"
#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>

namespace {

constexpr int kWidth = 362;
constexpr int kHeight = 48;

} // namespace

CAsyncWaitDlg::CAsyncWaitDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_picture(new CAnimatedPicture(this))
    , m_message(new QLabel(this))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_picture);
    setFixedSize(kWidth, kHeight);

    m_picture->setObjectName("waitPicture");
    m_message->setObjectName("messageLabel");
}

CAsyncWaitDlg::~CAsyncWaitDlg()
{
    // A worker still running finds nobody to report to.
    m_runner.detach();
}

void CAsyncWaitDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        start();
    }
}

void CAsyncWaitDlg::start()
{
    // A missing animation only leaves the dialog without it.
    m_picture->load(toQString((shippedFilesFolder() / kAnimationFile).string()));
    m_message->setText(toQString(m_request.message));
    if (m_process)
        startProcessWait();
    else
        startRequest();
}

void CAsyncWaitDlg::startRequest()
{
    m_target = splitRequestUrl(m_request.url);
    // The receiver runs on the worker while the runner's lock keeps the dialog
    // alive (the destructor detaches first); it only posts the result to the
    // dialog's thread, and Qt drops the posted call if the dialog is gone by then.
    m_runner.start([request = m_request] { return runWaitRequest(request); },
        [this](WaitResult result) {
            QMetaObject::invokeMethod(
                this, [this, result = std::move(result)] { finish(result); }, Qt::QueuedConnection);
        });
}

void CAsyncWaitDlg::startProcessWait()
{
    WaitResult ended;
    ended.succeeded = true;
    ended.complete = true;
    auto finishWhenEnded = [this, ended] { finish(ended); };
    connect(m_process, &QProcess::finished, this, finishWhenEnded);
    connect(m_process, &QProcess::errorOccurred, this, [this, finishWhenEnded](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart || error == QProcess::Crashed)
            finishWhenEnded();
    });
    connect(m_process, &QObject::destroyed, this, finishWhenEnded);
    if (m_process->state() == QProcess::NotRunning)
        QMetaObject::invokeMethod(this, finishWhenEnded, Qt::QueuedConnection);
}

void CAsyncWaitDlg::finish(const WaitResult& result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_result = result;
    if (!m_result.succeeded)
        m_result.response.clear();
    done(m_result.succeeded ? kSucceeded : kFailed);
}
