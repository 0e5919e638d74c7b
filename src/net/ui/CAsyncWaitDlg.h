#pragma once

#include "net/AsyncRunner.h"
#include "net/HttpTarget.h"
#include "net/WaitRequest.h"

#include <QDialog>
#include <QPointer>
#include <QProcess>

class CAnimatedPicture;
class QLabel;

// The modal please-wait dialog: runs one request on a worker thread while the
// window stays painted, or waits for a started process to end. The user cannot
// close it; it ends with kSucceeded or kFailed when the work is over.
class CAsyncWaitDlg : public QDialog {
    Q_OBJECT

public:
    // The dialog's results.
    static constexpr int kSucceeded = 1;
    static constexpr int kFailed = 2;
    // The caption, and the animation shipped in the program's "data" folder.
    static constexpr const char* kCaption = "Please wait...";
    static constexpr const char* kAnimationFile = "data/wait.gif";

    explicit CAsyncWaitDlg(QWidget* parent = nullptr);
    ~CAsyncWaitDlg() override;

    // The request to run; set it before the dialog opens.
    void setRequest(const WaitRequest& request) { m_request = request; }
    const WaitRequest& request() const { return m_request; }
    // Waits for this process to end instead of running a request.
    void setWaitProcess(QProcess* process) { m_process = process; }

    // Host and path split from the URL when the dialog opened.
    const HttpTarget& target() const { return m_target; }
    // How the request ended; the body is in response in text mode.
    const WaitResult& waitResult() const { return m_result; }
    const std::string& response() const { return m_result.response; }

public slots:
    // Enter and Escape never close the dialog: only the end of the work does.
    void accept() override { }
    void reject() override { }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void start();
    void startRequest();
    void startProcessWait();
    void finish(const WaitResult& result);

    WaitRequest m_request;
    QPointer<QProcess> m_process;
    HttpTarget m_target;
    WaitResult m_result;
    bool m_started = false;
    bool m_finished = false;
    CAnimatedPicture* m_picture;
    QLabel* m_message;
    AsyncRunner<WaitResult> m_runner;
};
