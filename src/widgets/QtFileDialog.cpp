#include "widgets/QtFileDialog.h"

#include "widgets/QtText.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

namespace {

QString patternsOf(const FileFilter& filter)
{
    QStringList patterns = toQString(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == QStringLiteral("*.*"))
            pattern = QStringLiteral("*");
    }
    return patterns.join(QLatin1Char(' '));
}

// The description without its own bracketed patterns, which the dialog would read.
QString descriptionOf(const FileFilter& filter)
{
    QString description = toQString(filter.description);
    const qsizetype bracket = description.lastIndexOf(QLatin1Char('('));
    if (bracket > 0 && description.endsWith(QLatin1Char(')')))
        description.truncate(bracket);
    return description.trimmed();
}

// The extension a type stands for ("xml" for "*.xml"); empty for "*.*" or several patterns.
QString extensionOf(const FileFilter& filter)
{
    const QString pattern = toQString(filter.patterns);
    const QString extension = pattern.mid(2);
    if (!pattern.startsWith(QStringLiteral("*.")) || extension.contains(QLatin1Char('*'))
        || extension.contains(QLatin1Char(';')))
        return {};
    return extension;
}

// The request's check box below the file list; only Qt's own dialog can carry one.
QCheckBox* addOption(QFileDialog& dialog, const std::string& text)
{
    if (text.empty())
        return nullptr;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return nullptr;
    auto* option = new QCheckBox(toQString(text));
    option->setObjectName("fileDialogOption");
    grid->addWidget(option, grid->rowCount(), 0, 1, grid->columnCount());
    return option;
}

} // namespace

QtFileDialog::QtFileDialog(QWidget* parent)
    : m_parent(parent)
{
}

std::optional<ChosenFile> QtFileDialog::choose(const FileDialogRequest& request)
{
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filters);
    dialog.setNameFilters(filters);
    const QString defaultExtension = toQString(request.defaultExtension);
    dialog.setDefaultSuffix(defaultExtension);
    // A name typed without an extension gets the one of the type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& selected) {
        const qsizetype index = filters.indexOf(selected);
        const QString extension =
            index < 0 ? QString() : extensionOf(request.filters[static_cast<std::size_t>(index)]);
        dialog.setDefaultSuffix(extension.isEmpty() ? defaultExtension : extension);
    });
    if (!request.presetName.empty()) {
        // A name such as "example.com" would otherwise pass for one with an extension.
        QString preset = toQString(request.presetName);
        if (saving && !defaultExtension.isEmpty()
            && !preset.endsWith(QLatin1Char('.') + defaultExtension, Qt::CaseInsensitive))
            preset += QLatin1Char('.') + defaultExtension;
        dialog.selectFile(preset);
    }
    QCheckBox* option = addOption(dialog, request.option);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return ChosenFile { std::filesystem::path(toStdString(dialog.selectedFiles().constFirst())),
        filterIndex < 0 ? 0 : filterIndex, option && option->isChecked() };
}

QStringList QtFileDialog::nameFilters(const std::vector<FileFilter>& filters)
{
    QStringList shown;
    for (const FileFilter& filter : filters)
        shown.append(descriptionOf(filter) + QStringLiteral(" (") + patternsOf(filter) + QLatin1Char(')'));
    return shown;
}
