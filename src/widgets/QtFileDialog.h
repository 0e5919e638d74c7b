#pragma once

#include "common/IFileDialog.h"

#include <QStringList>

class QWidget;

// The system's open and save dialogs over a window.
class QtFileDialog : public IFileDialog {
public:
    explicit QtFileDialog(QWidget* parent);

    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<ChosenFile> choose(const FileDialogRequest& request) override;

    // The type list as the dialog shows it: each description with the patterns
    // it really matches in its brackets ("*.*" matches names without a dot too).
    static QStringList nameFilters(const std::vector<FileFilter>& filters);

private:
    QWidget* m_parent;
};
