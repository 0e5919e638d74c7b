#pragma once

#include "net/WaitDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Runs an action on the next modal dialog of type T as soon as its event loop
// runs. A dialog the action leaves open is cancelled after a while, so that a
// failing test ends instead of waiting for a click forever.
template <typename T> void whenModal(std::function<void(T&)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<T*>(modal);
        if (dialog == nullptr) {
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            FAIL() << "the expected dialog is not open";
        }
        QTimer::singleShot(5000, dialog, [dialog] { dialog->reject(); });
        action(*dialog);
    });
}

// Answers every request with a fixed body and keeps the URLs asked for.
class AnsweringWaitDialog : public IWaitDialog {
public:
    explicit AnsweringWaitDialog(std::string body = "0")
        : m_body(std::move(body))
    {
    }

    WaitResult run(const WaitRequest& request) override
    {
        m_urls.push_back(request.url);
        m_forms.push_back(request.postData);
        return { true, true, 200, m_body };
    }

    const std::vector<std::string>& urls() const { return m_urls; }
    // The form bodies sent, in the order of urls().
    const std::vector<std::string>& forms() const { return m_forms; }

private:
    std::string m_body;
    std::vector<std::string> m_urls;
    std::vector<std::string> m_forms;
};
