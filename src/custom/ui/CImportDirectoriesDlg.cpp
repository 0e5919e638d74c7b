#include "custom/ui/CImportDirectoriesDlg.h"

#include "custom/CustomCategories.h"
#include "custom/ListFactsUpdate.h"
#include "directories/DirectoryStore.h"
#include "stats/CSiteChecker.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtFileDialog.h"
#include "widgets/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace {

constexpr const char* kCaption = "Import Directories";
constexpr const char* kFileLabel = "File to import:";
constexpr const char* kFileHelp =
    "A directory list: a CSV or tab-separated table with a column of addresses (and of names, "
    "categories, ratings, link types and pricing, found by their names), a JSON list, or a "
    "text file with one directory per line: its address, or its name and its address. "
    "Directories already in your list are skipped, but get the list's rating, link type and "
    "pricing";
constexpr const char* kNoPreview = "Choose a list file to see what it holds.";
constexpr const char* kCategoryLabel = "Category:";
constexpr const char* kSelectedLabel = "Selected categories";
constexpr const char* kCategoryHelp = "The categories every imported directory is listed under. Custom is "
                                      "always one of them";
constexpr const char* kLearnText = "Find each directory's submission page and learn its form";
constexpr const char* kLearnHelp =
    "Vantelo opens each new directory's address, looks there and behind its submit links for the "
    "submission form, and remembers how to fill it. Directories whose form is not found are added "
    "all the same; you can teach them with Edit later";
constexpr const char* kLearningText = "Finding the submission pages and learning their forms...";
constexpr const char* kCancellingText = "Stopping; what was learned is kept...";
constexpr const char* kCloseHint = ". Press the Close button to continue";
constexpr const char* kCancelText = "Cancel";
constexpr const char* kSkipText = "Skip PR check";
constexpr const char* kCloseText = "Close";
constexpr const char* kListFilter = "Directory Lists (*.csv *.tsv *.json *.txt)";
constexpr const char* kAllFilter = "All Files (*.*)";

} // namespace

CImportDirectoriesDlg::CImportDirectoriesDlg(DirectoryStore& custom, DirectoryStore& main,
    std::set<std::string> knownCategories, std::map<std::string, std::string> knownDirectories,
    HostConfiguration hosts, IMessageBox& messages, FileChooser chooseFile, QWidget* parent)
    : QDialog(parent)
    , m_customStore(custom)
    , m_mainStore(main)
    , m_known(std::move(knownDirectories))
    , m_hosts(std::move(hosts))
    , m_messages(messages)
    , m_chooseFile(chooseFile ? std::move(chooseFile) : FileChooser(chooseListFile))
    , m_selected { kCustomCategory }
    , m_self(this)
    , m_file(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("&Browse..."), this))
    , m_categoryBox(new QComboBox(this))
    , m_addCategory(new QPushButton(QStringLiteral("&Add"), this))
    , m_removeCategory(new QPushButton(QStringLiteral("&Remove"), this))
    , m_categories(new QListWidget(this))
    , m_learn(new QCheckBox(toQString(kLearnText), this))
    , m_preview(new QPlainTextEdit(toQString(kNoPreview), this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_import(new QPushButton(QStringLiteral("&Import"), this))
    , m_cancel(new QPushButton(toQString(kCancelText), this))
{
    setWindowTitle(toQString(kCaption));
    m_categoryBox->setEditable(true);
    m_categoryBox->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& category : knownCategories) {
        if (!category.empty())
            m_categoryBox->addItem(toQString(category));
    }
    m_categoryBox->setCurrentIndex(-1);
    m_status->setWordWrap(true);
    m_progress->hide();
    m_preview->setReadOnly(true);
    m_preview->setMaximumHeight(m_preview->fontMetrics().lineSpacing() * 9);

    auto* grid = new QGridLayout;
    auto* fileLabel = new QLabel(toQString(kFileLabel), this);
    fileLabel->setBuddy(m_file);
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(withHelpIcon(this, m_file, toQString(kFileHelp)), 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->addWidget(m_preview, 1, 1);
    auto* categoryLabel = new QLabel(toQString(kCategoryLabel), this);
    categoryLabel->setBuddy(m_categoryBox);
    grid->addWidget(categoryLabel, 2, 0);
    grid->addWidget(withHelpIcon(this, m_categoryBox, toQString(kCategoryHelp)), 2, 1);
    grid->addWidget(m_addCategory, 2, 2);
    auto* selectedLabel = new QLabel(toQString(kSelectedLabel), this);
    selectedLabel->setBuddy(m_categories);
    grid->addWidget(selectedLabel, 3, 1);
    grid->addWidget(m_categories, 4, 1);
    grid->addWidget(m_removeCategory, 4, 2, Qt::AlignTop);
    grid->addWidget(withHelpIcon(this, m_learn, toQString(kLearnHelp)), 5, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : { m_import, m_cancel }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    for (QPushButton* button : { m_browse, m_addCategory, m_removeCategory })
        button->setAutoDefault(false);
    m_import->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &CImportDirectoriesDlg::browse);
    connect(m_file, &QLineEdit::textChanged, this, &CImportDirectoriesDlg::readChosenFile);
    connect(m_addCategory, &QPushButton::clicked, this, &CImportDirectoriesDlg::addCategory);
    connect(m_removeCategory, &QPushButton::clicked, this, &CImportDirectoriesDlg::removeCategory);
    connect(m_import, &QPushButton::clicked, this, &CImportDirectoriesDlg::startImport);
    connect(m_cancel, &QPushButton::clicked, this, &CImportDirectoriesDlg::cancelPressed);
    showCategories(0);
    resize(560, 500);

    m_file->setObjectName("fileEdit");
    m_browse->setObjectName("browseButton");
    m_categoryBox->setObjectName("categoryBox");
    m_addCategory->setObjectName("addCategoryButton");
    m_removeCategory->setObjectName("removeCategoryButton");
    m_categories->setObjectName("categoryList");
    m_learn->setObjectName("learnCheck");
    m_preview->setObjectName("previewText");
    m_status->setObjectName("statusLine");
    m_progress->setObjectName("progressBar");
    m_import->setObjectName("importButton");
    m_cancel->setObjectName("cancelButton");
}

CImportDirectoriesDlg::~CImportDirectoriesDlg()
{
    closeImport();
}

QString CImportDirectoriesDlg::chooseListFile(QWidget* parent)
{
    const std::optional<ChosenFile> chosen = QtFileDialog(parent).choose(
        { FileDialogRequest::Mode::Open, { { kListFilter, "*.csv;*.txt" }, { kAllFilter, "*.*" } }, {}, {} });
    return chosen ? toQString(chosen->path.string()) : QString();
}

std::size_t CImportDirectoriesDlg::added() const
{
    return m_run ? m_run->stored() : 0;
}

LearningSummary CImportDirectoriesDlg::learned() const
{
    return m_learning ? m_learning->summary() : LearningSummary {};
}

void CImportDirectoriesDlg::done(int result)
{
    closeImport();
    QDialog::done(result);
}

void CImportDirectoriesDlg::reject()
{
    if (m_state == State::Checking || m_state == State::Learning) {
        cancelPressed();
        return;
    }
    QDialog::reject();
}

void CImportDirectoriesDlg::browse()
{
    const QString file = m_chooseFile(this);
    if (!file.isEmpty())
        m_file->setText(file);
}

// Reads the file named as soon as it names one, and shows what it holds; nothing
// is stored before "Import".
void CImportDirectoriesDlg::readChosenFile()
{
    if (m_state != State::Idle)
        return;
    m_read.reset();
    m_readName = m_file->text();
    std::error_code error;
    const std::filesystem::path path(toStdString(m_readName));
    if (m_readName.isEmpty() || !std::filesystem::is_regular_file(path, error)) {
        m_preview->setPlainText(toQString(kNoPreview));
        return;
    }
    m_read = readDirectoryListFile(path.string(), m_known);
    if (!m_read->opened)
        m_preview->setPlainText(toQString(kNoPreview));
    else if (!m_read->scan)
        m_preview->setPlainText(toQString("This file cannot be imported: " + m_read->problem + "."));
    else
        m_preview->setPlainText(toQString(listPreviewText(*m_read->scan)));
}

void CImportDirectoriesDlg::startImport()
{
    if (m_state != State::Idle)
        return;
    const std::string categoryText = customCategoryText(m_selected);
    // The file as shown in the preview, or read now when it was not (a file made after its name was typed).
    std::optional<DirectoryListScan> scan = m_read && m_readName == m_file->text()
        ? reportedScan(std::move(*m_read), m_messages)
        : scanDirectoryListFile(toStdString(m_file->text()), m_known, m_messages);
    m_read.reset();
    if (!scan)
        return;
    applyListFacts(m_customStore, m_mainStore, scan->known);
    m_status->setText(toQString(importFoundText(*scan)));
    m_import->setEnabled(false);
    m_learn->setEnabled(false);
    if (scan->found.empty()) {
        finish(m_status->text());
        return;
    }
    m_state = State::Checking;
    m_progress->setRange(0, static_cast<int>(scan->found.size()));
    m_progress->setValue(0);
    m_progress->show();
    m_cancel->setText(toQString(kSkipText));
    if (m_learn->isChecked())
        m_found = scan->found;
    m_run = DirectoryImport::create(m_customStore, m_mainStore, std::move(scan->found), categoryText, this);
    CSiteChecker checker(m_hosts);
    if (!m_run->start(checker)) {
        // Without a worker the directories go in at once, without PageRank.
        m_run->close();
        importDone(m_run->size());
    }
}

// Every new directory is in the stores: their forms are learned next, when asked.
void CImportDirectoriesDlg::importDone(std::size_t count)
{
    if (m_found.empty()) {
        finish(toQString(importDoneText(count)));
        return;
    }
    startLearning();
}

void CImportDirectoriesDlg::startLearning()
{
    m_state = State::Learning;
    m_lessons = 0;
    m_status->setText(toQString(kLearningText));
    m_progress->setRange(0, static_cast<int>(m_found.size()));
    m_progress->setValue(0);
    m_progress->show();
    m_cancel->setText(toQString(kCancelText));
    DirectoryLearningRun::IListener* listener = this;
    m_learning =
        std::make_unique<DirectoryLearningRun>(m_found, DirectoryLearner(m_learningLimits), listener);
    if (!m_learning->start())
        finish(toQString(learningSummaryText(m_learning->summary()) + kCloseHint));
}

// A lesson of the learning run: a learned form replaces the directory's
// address by its submission page and gives it the form's items.
void CImportDirectoriesDlg::applyLesson(std::size_t position, const DirectoryLesson& lesson)
{
    if (position >= m_found.size())
        return;
    const std::string& name = m_found[position].name;
    ++m_lessons;
    m_progress->setValue(static_cast<int>(m_lessons));
    std::string line;
    if (lesson.outcome == DirectoryLesson::Outcome::Learned) {
        std::vector<DirectoryItem> items;
        for (const LearnedItem& learned : lesson.items)
            items.push_back(learned.item);
        for (DirectoryStore* store : { &m_customStore, &m_mainStore }) {
            store->SetSubmitUrl(name, lesson.submitUrl);
            store->SetItems(name, items);
        }
        line = "Learned the form of " + name;
    } else {
        line = name + ": " + lesson.reason;
        // Learning again after signing in starts from the page behind the wall.
        if (!lesson.submitUrl.empty()) {
            for (DirectoryStore* store : { &m_customStore, &m_mainStore })
                store->SetSubmitUrl(name, lesson.submitUrl);
        }
    }
    if (const std::optional<SendingProfile::DirectoryStatus> status = lessonStatus(lesson);
        status && m_keepState)
        m_keepState(name, m_mainStore.GetSubmitUrl(name), *status);
    m_status->setText(toQString(std::string(kLearningText) + "\n" + std::to_string(m_lessons) + " of "
        + std::to_string(m_found.size()) + " done. " + line));
}

void CImportDirectoriesDlg::cancelPressed()
{
    switch (m_state) {
    case State::Idle:
        QDialog::reject();
        break;
    case State::Checking:
        if (m_run)
            m_run->skipPageRank();
        break;
    case State::Learning:
        if (m_learning) {
            m_learning->cancel();
            m_cancel->setEnabled(false);
            m_status->setText(toQString(kCancellingText));
        }
        break;
    case State::Done:
        accept();
        break;
    }
}

void CImportDirectoriesDlg::finish(const QString& status)
{
    m_state = State::Done;
    m_status->setText(status);
    if (m_learning)
        m_progress->setValue(static_cast<int>(m_lessons));
    else if (m_run)
        m_progress->setValue(static_cast<int>(m_run->stored()));
    m_cancel->setEnabled(true);
    m_cancel->setText(toQString(kCloseText));
    m_cancel->setDefault(true);
    m_cancel->setFocus();
}

void CImportDirectoriesDlg::addCategory()
{
    if (addCategoryEntry(m_selected, toStdString(m_categoryBox->currentText())))
        showCategories(static_cast<int>(m_selected.size()) - 1);
}

void CImportDirectoriesDlg::removeCategory()
{
    const int row = m_categories->currentRow();
    if (row >= 0)
        showCategories(removeCategoryEntry(m_selected, row));
}

void CImportDirectoriesDlg::showCategories(int selected)
{
    m_categories->clear();
    for (const std::string& category : m_selected)
        m_categories->addItem(toQString(category));
    m_categories->setCurrentRow(selected);
}

void CImportDirectoriesDlg::closeImport()
{
    if (!m_run || m_closing)
        return;
    m_closing = true;
    // From here on neither the checker nor the learning reaches this window;
    // what was not checked yet goes into the stores now. Neither is waited
    // for: a worker still at a page finishes it on its own and stops.
    m_run->close();
    if (m_learning)
        m_learning->close();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CImportDirectoriesDlg::onDirectoryChecked()
{
    post([](CImportDirectoriesDlg& dialog) {
        dialog.m_run->storeChecked();
        dialog.m_progress->setValue(static_cast<int>(dialog.m_run->stored()));
    });
}

void CImportDirectoriesDlg::onAllChecked(std::size_t count)
{
    post([count](CImportDirectoriesDlg& dialog) {
        dialog.m_run->storeChecked();
        dialog.importDone(count);
    });
}

void CImportDirectoriesDlg::onLesson(std::size_t position, const DirectoryLesson& lesson)
{
    post([position, lesson](CImportDirectoriesDlg& dialog) { dialog.applyLesson(position, lesson); });
}

void CImportDirectoriesDlg::onRunEnded(const LearningSummary& summary)
{
    post([summary](CImportDirectoriesDlg& dialog) {
        dialog.finish(toQString(learningSummaryText(summary) + kCloseHint));
    });
}

// Queues work for the window's thread; it runs only while the window is there
// and its import open. The import's lock keeps the window from going while the
// call is queued.
template <typename Work> void CImportDirectoriesDlg::post(Work work)
{
    QMetaObject::invokeMethod(
        this,
        [self = m_self, work = std::move(work)] {
            if (self && !self->m_closing)
                work(*self);
        },
        Qt::QueuedConnection);
}
