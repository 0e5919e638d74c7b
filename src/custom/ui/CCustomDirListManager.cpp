#include "custom/ui/CCustomDirListManager.h"

#include "common/DataFolder.h"
#include "custom/ui/CDirectoryEditDialog.h"
#include "custom/ui/CImportDirectoriesDlg.h"
#include "filling/web/EnginePageRenderer.h"
#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CCustomDirListManager::CCustomDirListManager(DirectoryStore& main, DirectoryStore& custom,
    const DataFolder& folder, HostConfiguration hosts, IMessageBox& messages, BrowserProfile* browser,
    QWidget* parent)
    : QDialog(parent)
    , m_model(main, custom, folder.customDatabase())
    , m_mainStore(main)
    , m_customStore(custom)
    , m_hosts(std::move(hosts))
    , m_messages(messages)
    , m_browser(browser)
    , m_list(new QListWidget(this))
    , m_add(new QPushButton(QStringLiteral("&Add"), this))
    , m_edit(new QPushButton(QStringLiteral("&Edit..."), this))
    , m_remove(new QPushButton(QStringLiteral("&Remove"), this))
    , m_import(new QPushButton(QStringLiteral("&Import..."), this))
    , m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(QStringLiteral("Custom Directory List Manager"));
    auto* label = new QLabel(QStringLiteral("Available Custom Directories"), this);
    label->setBuddy(m_list);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { m_add, m_edit, m_remove, m_import, m_close }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addWidget(label);
    list->addWidget(m_list, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);

    // Enter opens the selected directory; Escape closes, as Close does.
    m_edit->setDefault(true);
    connect(m_add, &QPushButton::clicked, this, &CCustomDirListManager::addDirectories);
    connect(m_edit, &QPushButton::clicked, this, &CCustomDirListManager::editSelected);
    connect(m_remove, &QPushButton::clicked, this, &CCustomDirListManager::removeSelected);
    connect(m_import, &QPushButton::clicked, this, &CCustomDirListManager::importDirectories);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CCustomDirListManager::editSelected);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CCustomDirListManager::enableButtons);
    refill({});
    m_list->setFocus();
    resize(420, 300);

    m_list->setObjectName("directoryList");
    m_add->setObjectName("addButton");
    m_edit->setObjectName("editButton");
    m_remove->setObjectName("removeButton");
    m_import->setObjectName("importButton");
    m_close->setObjectName("closeButton");
}

bool CCustomDirListManager::editDirectory(const std::string& name)
{
    m_model.reload();
    const bool edited = m_model.editDirectory(
        name, [this](DirectoryWizardModel model) { return runWizard(std::move(model)); });
    refill(name);
    return edited;
}

void CCustomDirListManager::addDirectories()
{
    std::string last;
    m_model.addDirectories([this, &last](DirectoryWizardModel model) {
        std::optional<DirectoryWizardModel> result = runWizard(std::move(model));
        if (result)
            last = result->name();
        return result;
    });
    refill(last);
}

void CCustomDirListManager::editSelected()
{
    const std::string name = selectedName();
    if (!name.empty())
        editDirectory(name);
}

void CCustomDirListManager::removeSelected()
{
    const int row = m_list->currentRow();
    const std::string name = selectedName();
    if (name.empty() || !m_model.removeDirectory(name, m_messages))
        return;
    const std::vector<std::string>& names = m_model.names();
    refill(names.empty() ? std::string()
                         : names[std::min<std::size_t>(static_cast<std::size_t>(row), names.size() - 1)]);
}

void CCustomDirListManager::importDirectories()
{
    CImportDirectoriesDlg import(m_customStore, m_mainStore, m_model.categories(), m_model.knownDirectories(),
        m_hosts, m_messages, {}, this);
    import.setStateKeeper(m_keepState);
    if (m_browser)
        import.setRenderer(&EnginePageRenderer::of(*m_browser));
    import.exec();
    m_model.reload();
    if (import.added() > 0)
        m_model.save();
    refill(selectedName());
}

std::optional<DirectoryWizardModel> CCustomDirListManager::runWizard(DirectoryWizardModel model)
{
    return CDirectoryEditDialog::run(std::move(model), m_hosts, m_messages, m_browser, this);
}

// Shows the names again and selects one, or the first when it is not listed.
void CCustomDirListManager::refill(const std::string& selected)
{
    m_list->clear();
    int row = 0;
    for (const std::string& name : m_model.names()) {
        if (name == selected)
            row = m_list->count();
        m_list->addItem(toQString(name));
    }
    m_list->setCurrentRow(m_list->count() > 0 ? row : -1);
    enableButtons();
}

void CCustomDirListManager::enableButtons()
{
    const bool selected = !m_list->selectedItems().isEmpty();
    m_edit->setEnabled(selected);
    m_remove->setEnabled(selected);
}

std::string CCustomDirListManager::selectedName() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? std::string() : toStdString(selected.constFirst()->text());
}
