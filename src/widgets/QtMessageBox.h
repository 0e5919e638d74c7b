#pragma once

#include "common/IMessageBox.h"

class QWidget;

// Shows the core's messages and questions as modal Qt message boxes over a window.
class QtMessageBox : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons buttons,
        MessageIcon icon) override;

private:
    QWidget* m_parent;
};
