#pragma once

#include "common/IWaitDialog.h"

class QWidget;

// Runs the exchanges' requests in the modal please-wait dialog over a window.
class QtWaitDialog : public IWaitDialog {
public:
    explicit QtWaitDialog(QWidget* parent = nullptr);

    WaitResult run(const WaitRequest& request) override;

private:
    QWidget* m_parent;
};
