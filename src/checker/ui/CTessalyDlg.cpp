#include "checker/ui/CTessalyDlg.h"

#include "checker/CheckStatistics.h"
#include "checker/CheckerCaptions.h"
#include "checker/ui/CReviewDlg.h"
#include "common/IMessageBox.h"
#include "stats/PageRank.h"
#include "widgets/QtFileDialog.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* kTitle = "Vantelo List Checker v1.0";
constexpr const char* kTitleSeparator = " - ";
constexpr const char* kUpdatePageRank = "Update Google PR";
constexpr const char* kCheckBroken = "Check for broken links (server down or 404)";
constexpr const char* kProgress = "Progress:";
constexpr const char* kLoadFirst = "Please load a directory list before starting the check";
constexpr const char* kStartFailed = "The check could not be started";
constexpr const char* kUnsavedQuestion = "You currently have unsaved data. By quitting the program you will "
                                         "lose any updates you made to the directory "
                                         "list. Press OK to quit or Cancel to get back to the program.";
constexpr const char* kAboutEntry = "&About Vantelo List Checker...";
constexpr const char* kAboutCaption = "About Vantelo List Checker";
constexpr const char* kAboutText = "Vantelo List Checker Version 1.0";
constexpr const char* kDatabaseFilter = "XML Directory Database (*.xml)";
constexpr const char* kAllFilter = "All Files (*.*)";
constexpr const char* kXmlSuffix = "xml";

std::vector<FileFilter> databaseFilters()
{
    return { { kDatabaseFilter, "*.xml" }, { kAllFilter, "*.*" } };
}

QString chooseDatabase(QWidget* parent)
{
    const std::optional<ChosenFile> chosen =
        QtFileDialog(parent).choose({ FileDialogRequest::Mode::Open, databaseFilters(), {}, {} });
    return chosen ? toQString(chosen->path.string()) : QString();
}

QString chooseSaveTarget(QWidget* parent, const QString& offered)
{
    const std::optional<ChosenFile> chosen = QtFileDialog(parent).choose(
        { FileDialogRequest::Mode::Save, databaseFilters(), kXmlSuffix, toStdString(offered) });
    return chosen ? toQString(chosen->path.string()) : QString();
}

QPushButton* button(const char* caption, QWidget* parent)
{
    auto* made = new QPushButton(QString::fromLatin1(caption), parent);
    // Enter must never press a button of this window.
    made->setAutoDefault(false);
    return made;
}

// The list checker's window icon: Vantelo's blue tile with a check mark, drawn
// on a 24 by 24 grid at the sizes window managers ask for.
QIcon checkerIcon()
{
    constexpr int kGrid = 24;
    QIcon icon;
    for (const int size : { 16, 24, 32, 48 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(static_cast<double>(size) / kGrid, static_cast<double>(size) / kGrid);
        QLinearGradient face(0, 0, 0, kGrid);
        face.setColorAt(0, QColor(60, 120, 200));
        face.setColorAt(1, QColor(30, 70, 140));
        painter.setPen(Qt::NoPen);
        painter.setBrush(face);
        painter.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
        QPen mark(Qt::white, 3.2);
        mark.setCapStyle(Qt::RoundCap);
        mark.setJoinStyle(Qt::RoundJoin);
        painter.setPen(mark);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({ QPointF(6, 12.5), QPointF(10.5, 17), QPointF(18, 7.5) }));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

CTessalyDlg::CTessalyDlg(HostConfiguration hosts, IMessageBox& messages, Seams seams, QWidget* parent)
    : QDialog(parent)
    , m_hosts(std::move(hosts))
    , m_messages(messages)
    , m_pause(seams.pause.value_or(std::chrono::milliseconds(kListCheckerPauseMilliseconds)))
    , m_chooseOpen(seams.chooseOpen ? std::move(seams.chooseOpen) : OpenChooser(chooseDatabase))
    , m_chooseSave(seams.chooseSave ? std::move(seams.chooseSave) : SaveChooser(chooseSaveTarget))
    , m_runReview(seams.runReview ? std::move(seams.runReview) : ReviewRunner(CReviewDlg::run))
    , m_load(button("Load...", this))
    , m_review(button("Review and Save...", this))
    , m_start(button("Start", this))
    , m_stop(button("Stop", this))
    , m_close(button("Close", this))
    , m_updatePageRank(new QCheckBox(toQString(kUpdatePageRank), this))
    , m_checkBroken(new QCheckBox(toQString(kCheckBroken), this))
    , m_log(new QPlainTextEdit(this))
    , m_loadStatus(new QLabel(this))
    , m_saveStatus(new QLabel(this))
    , m_progressLabel(new QLabel(toQString(kProgress), this))
    , m_progress(new QProgressBar(this))
{
    setWindowTitle(toQString(kTitle));
    setWindowIcon(checkerIcon());
    m_updatePageRank->setChecked(true);
    m_checkBroken->setChecked(true);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The summary indents its first lines with tabs; a narrow stop keeps it readable.
    m_log->setTabStopDistance(4 * m_log->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    m_progress->setTextVisible(false);

    auto* progressLine = new QHBoxLayout;
    progressLine->addWidget(m_progressLabel);
    progressLine->addWidget(m_progress, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(m_updatePageRank);
    left->addWidget(m_checkBroken);
    left->addWidget(m_log, 1);
    left->addWidget(m_loadStatus);
    left->addWidget(m_saveStatus);
    left->addLayout(progressLine);
    auto* right = new QVBoxLayout;
    for (QPushButton* each : { m_load, m_review, m_start, m_stop })
        right->addWidget(each);
    right->addStretch(1);
    right->addWidget(m_close);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    auto* about = new QAction(toQString(kAboutEntry), this);
    about->setShortcut(QKeySequence::HelpContents);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    new QShortcut(QKeySequence::Open, this, [this] { m_load->click(); });
    new QShortcut(QKeySequence::Save, this, [this] { m_review->click(); });

    connect(about, &QAction::triggered, this, &CTessalyDlg::showAbout);
    connect(m_load, &QPushButton::clicked, this, &CTessalyDlg::chooseAndLoad);
    connect(m_review, &QPushButton::clicked, this, &CTessalyDlg::reviewAndSave);
    connect(m_start, &QPushButton::clicked, this, &CTessalyDlg::start);
    connect(m_stop, &QPushButton::clicked, this, &CTessalyDlg::stop);
    connect(m_close, &QPushButton::clicked, this, &CTessalyDlg::reject);

    setRunning(false);
    m_review->setEnabled(false);
    resize(520, 360);

    m_load->setObjectName("loadButton");
    m_review->setObjectName("reviewButton");
    m_start->setObjectName("startButton");
    m_stop->setObjectName("stopButton");
    m_close->setObjectName("closeButton");
    m_updatePageRank->setObjectName("pageRankBox");
    m_checkBroken->setObjectName("brokenLinksBox");
    m_log->setObjectName("logView");
    m_loadStatus->setObjectName("loadStatus");
    m_saveStatus->setObjectName("saveStatus");
    m_progress->setObjectName("progressBar");
}

CTessalyDlg::~CTessalyDlg()
{
    closeRun();
}

bool CTessalyDlg::LoadDatabase(const std::filesystem::path& file)
{
    if (!m_backend.LoadDatabase(file, m_messages))
        return false;
    const int count = m_backend.CreateEnumerator()->Count();
    m_loadStatus->setText(toQString(loadedStatusText(count)));
    m_progress->setRange(0, std::max(count, 1));
    m_progress->setValue(0);
    m_unsaved = false;
    setWindowTitle(toQString(kTitle) + toQString(kTitleSeparator) + toQString(file.filename().string()));
    m_results = {};
    return true;
}

bool CTessalyDlg::openFromCommandLine(const std::filesystem::path& file)
{
    if (!LoadDatabase(file))
        return false;
    m_commandLineFile = file;
    m_load->setEnabled(false);
    return true;
}

bool CTessalyDlg::isRunBusy() const
{
    return m_run && !m_run->isOver();
}

void CTessalyDlg::showAbout()
{
    m_messages.show(kAboutText, kAboutCaption, MessageIcon::Information);
}

void CTessalyDlg::accept()
{
    if (!mayClose())
        return;
    closeRun();
    QDialog::accept();
}

void CTessalyDlg::reject()
{
    if (!mayClose())
        return;
    closeRun();
    QDialog::reject();
}

void CTessalyDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTessalyDlg::chooseAndLoad()
{
    const QString file = m_chooseOpen(this);
    if (!file.isEmpty())
        LoadDatabase(toStdString(file));
}

void CTessalyDlg::start()
{
    if (m_run)
        return;
    if (!m_backend.isLoaded()) {
        m_messages.show(kLoadFirst, kListCheckerCaption, MessageIcon::Warning);
        return;
    }
    const CheckOptions options { m_updatePageRank->isChecked(), m_checkBroken->isChecked() };
    m_results = {};
    m_log->clear();
    const std::shared_ptr<IDirectoryEnumerator> directories = m_backend.CreateEnumerator();
    m_progress->setRange(0, std::max(directories->Count(), 1));
    m_progress->setValue(0);
    setRunning(true);
    m_review->setEnabled(false);
    m_run = CheckRun::create(directories, options, this);
    if (!m_run->start(m_hosts, m_pause)) {
        m_run.reset();
        setRunning(false);
        m_messages.show(kStartFailed, kListCheckerCaption, MessageIcon::Error);
    }
}

void CTessalyDlg::stop()
{
    if (!m_run)
        return;
    m_run->stop();
    m_stop->setEnabled(false);
}

void CTessalyDlg::reviewAndSave()
{
    if (m_run || !m_backend.isLoaded())
        return;
    const SaveOutcome outcome = ::reviewAndSave(m_backend, m_results, m_commandLineFile, *this, m_messages);
    if (outcome == SaveOutcome::Cancelled)
        return;
    m_saveStatus->setText(toQString(saveStatusText(outcome)));
    // After a failed save the changes are still only in memory, so closing asks.
    if (outcome == SaveOutcome::Saved)
        m_unsaved = false;
}

void CTessalyDlg::finishRun()
{
    if (m_closing || !m_run)
        return;
    m_results = m_run->results();
    m_run.reset();
    appendLog(QString::fromStdU16String(CheckStatistics::count(m_results).text()));
    if (!m_results.empty())
        m_unsaved = true;
    setRunning(false);
    m_review->setEnabled(true);
}

// Loading another file while the worker reads the document would pull it away
// from under the run, so "Load..." waits for the run's end like "Start".
void CTessalyDlg::setRunning(bool running)
{
    m_updatePageRank->setEnabled(!running);
    m_checkBroken->setEnabled(!running);
    m_start->setEnabled(!running);
    m_load->setEnabled(!running && !m_commandLineFile);
    m_stop->setEnabled(running);
    m_progressLabel->setVisible(running);
    m_progress->setVisible(running);
}

void CTessalyDlg::appendLog(const QString& line)
{
    QString plain = line;
    plain.remove(QLatin1Char('\r'));
    m_log->moveCursor(QTextCursor::End);
    m_log->insertPlainText(plain);
    m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
}

bool CTessalyDlg::mayClose()
{
    // A run in progress holds results that are not saved either.
    if (!m_unsaved && !isRunBusy())
        return true;
    return m_messages.ask(
               kUnsavedQuestion, kListCheckerCaption, MessageButtons::OkCancel, MessageIcon::Information)
        == MessageAnswer::Ok;
}

void CTessalyDlg::closeRun()
{
    m_closing = true;
    if (m_run)
        m_run->detach();
}

void CTessalyDlg::onLogLine(const std::u16string& line)
{
    post([this, line = QString::fromStdU16String(line)] {
        if (!m_closing)
            appendLog(line);
    });
}

void CTessalyDlg::onProgress(int checked)
{
    post([this, checked] {
        if (!m_closing)
            m_progress->setValue(std::min(checked, m_progress->maximum()));
    });
}

void CTessalyDlg::onFinished()
{
    post([this] { finishRun(); });
}

template <typename Work> void CTessalyDlg::post(Work work)
{
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

std::optional<ReviewSelection> CTessalyDlg::showReview(
    const CheckResults& results, bool openedFromCommandLine)
{
    return m_runReview(results, openedFromCommandLine, this);
}

std::optional<std::filesystem::path> CTessalyDlg::chooseSaveFile(const std::filesystem::path& offered)
{
    const QString file = m_chooseSave(this, toQString(offered.string()));
    if (file.isEmpty())
        return std::nullopt;
    return std::filesystem::path(toStdString(file));
}
