#include "net/ui/QtWaitDialog.h"

#include "net/ui/CAsyncWaitDlg.h"

QtWaitDialog::QtWaitDialog(QWidget* parent)
    : m_parent(parent)
{
}

WaitResult QtWaitDialog::run(const WaitRequest& request)
{
    CAsyncWaitDlg dialog(m_parent);
    dialog.setRequest(request);
    dialog.exec();
    return dialog.waitResult();
}
