#pragma once

#include "common/IProgramRunner.h"

class QWidget;

// Starts a program and keeps the please-wait dialog over the window until it ends.
class QtProgramRunner : public IProgramRunner {
public:
    explicit QtProgramRunner(QWidget* parent);

    bool runAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments,
        const std::string& message) override;

private:
    QWidget* m_parent;
};
