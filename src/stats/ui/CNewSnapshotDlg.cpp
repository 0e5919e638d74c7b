#include "stats/ui/CNewSnapshotDlg.h"

#include "common/SystemClock.h"
#include "common/SystemSleeper.h"
#include "stats/SnapshotReport.h"
#include "stats/SnapshotStores.h"
#include "stats/TrancoList.h"
#include "widgets/CStaticHelp.h"
#include "widgets/CStaticTip.h"
#include "widgets/QtFileDialog.h"
#include "widgets/QtText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr const char* kCaption = "New Snapshot - ";
constexpr const char* kGeneralText = "Include general search engine stats";
constexpr const char* kSerpText = "Include SERP data";
constexpr const char* kApprovalText = "Include Directory Approval data";
constexpr const char* kEntireText = "Check entire directory database";
constexpr const char* kResumeText = "Resume a snapshot. Start with record";
constexpr const char* kIdleStatus = "Status: idle";

constexpr const char* kGeneralHelp =
    "Include general indicators or a site's strength like PR, Alexa traffic rank, "
    "inbound link count and indexed page count";
constexpr const char* kSerpHelp =
    "Include Search Engine Position information for the search phrases configured in "
    "this profile. If this box is disabled, no phrases are configured for this profile.";
constexpr const char* kApprovalHelp = "Include information on the directories that link to this site";
constexpr const char* kEntireHelp =
    "If checked, will verify all directories from the database. If unchecked it will "
    "verify only directories where a submission was previously made (faster)";
constexpr const char* kResumeHelp =
    "Resume the check from the provided record (use this if a check is frozen by "
    "making a note of its progress shown below)";

constexpr const char* kHtmlFilter = "HTML Files (*.html)";
constexpr const char* kAllFilter = "All Files (*.*)";
constexpr const char* kHtmlSuffix = "html";

// An option with its help icon beside it.
void addOption(QGridLayout* grid, QWidget* option, const char* help, int indent = 0)
{
    const int row = grid->rowCount();
    auto* line = new QHBoxLayout;
    line->addSpacing(indent);
    line->addWidget(option);
    grid->addLayout(line, row, 0);
    grid->addWidget(new CStaticHelp(toQString(help), option->parentWidget()), row, 1);
}

} // namespace

CNewSnapshotDlg::CNewSnapshotDlg(const SendingProfile::SiteProfile& profile,
    SendingProfile::ProfileStore& profiles, const DirectoryStore& directories, HostConfiguration hosts,
    IMessageBox& messages, Seams seams, QWidget* parent)
    : QDialog(parent)
    , m_profile(profile)
    , m_profiles(profiles)
    , m_directories(directories)
    , m_hosts(std::move(hosts))
    , m_messages(messages)
    , m_sleeper(seams.sleeper ? std::move(seams.sleeper) : std::make_shared<SystemSleeper>())
    , m_clock(seams.clock ? std::move(seams.clock) : std::make_shared<SystemClock>())
    , m_chooseFile(seams.chooseFile ? std::move(seams.chooseFile) : FileChooser(chooseReportFile))
    , m_general(new QCheckBox(toQString(kGeneralText), this))
    , m_serp(new QCheckBox(toQString(kSerpText), this))
    , m_approval(new QCheckBox(toQString(kApprovalText), this))
    , m_entire(new QCheckBox(toQString(kEntireText), this))
    , m_resume(new QSpinBox(this))
    , m_trafficAge(new QLabel(this))
    , m_status(new QLabel(toQString(kIdleStatus), this))
    , m_progress(new QLabel(this))
    , m_save(new QPushButton(QStringLiteral("Save"), this))
    , m_start(new QPushButton(QStringLiteral("Start"), this))
    , m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setWindowTitle(toQString(kCaption) + toQString(m_profile.name));
    m_general->setChecked(true);
    m_serp->setChecked(!m_profile.serpPhrases.empty());
    m_serp->setEnabled(!m_profile.serpPhrases.empty());
    m_resume->setRange(0, std::numeric_limits<int>::max());

    auto* options = new QGridLayout;
    addOption(options, m_general, kGeneralHelp);
    addOption(options, m_serp, kSerpHelp);
    addOption(options, m_approval, kApprovalHelp);
    addOption(options, m_entire, kEntireHelp, 20);
    auto* resume = new QWidget(this);
    auto* resumeLine = new QHBoxLayout(resume);
    resumeLine->setContentsMargins(0, 0, 0, 0);
    auto* resumeLabel = new QLabel(toQString(kResumeText), resume);
    resumeLabel->setBuddy(m_resume);
    resumeLine->addWidget(resumeLabel);
    resumeLine->addWidget(m_resume);
    resumeLine->addStretch(1);
    addOption(options, resume, kResumeHelp, 20);
    options->setColumnStretch(0, 1);

    m_progress->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : { m_save, m_start, m_close }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    m_start->setDefault(true);
    m_save->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(m_trafficAge);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_approval, &QCheckBox::toggled, this, &CNewSnapshotDlg::updateApprovalOptions);
    connect(m_start, &QPushButton::clicked, this, &CNewSnapshotDlg::start);
    connect(m_save, &QPushButton::clicked, this, &CNewSnapshotDlg::saveReport);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    updateApprovalOptions();
    resize(460, sizeHint().height());

    m_general->setObjectName("generalBox");
    m_serp->setObjectName("serpBox");
    m_approval->setObjectName("approvalBox");
    m_entire->setObjectName("entireBox");
    m_resume->setObjectName("resumeEdit");
    m_status->setObjectName("statusLine");
    m_trafficAge->setObjectName("trafficListLine");
    m_trafficAge->setVisible(false);
    m_progress->setObjectName("progressLine");
    m_save->setObjectName("saveButton");
    m_start->setObjectName("startButton");
    m_close->setObjectName("closeButton");
}

CNewSnapshotDlg::~CNewSnapshotDlg()
{
    closeRun();
}

QString CNewSnapshotDlg::chooseReportFile(QWidget* parent)
{
    const std::optional<ChosenFile> chosen = QtFileDialog(parent).choose({ FileDialogRequest::Mode::Save,
        { { kHtmlFilter, "*.html" }, { kAllFilter, "*.*" } }, kHtmlSuffix, {} });
    return chosen ? toQString(chosen->path.string()) : QString();
}

void CNewSnapshotDlg::setTrafficList(std::filesystem::path file)
{
    m_trafficList = std::move(file);
    showTrafficListAge();
}

void CNewSnapshotDlg::showTrafficListAge()
{
    const TrancoList list(m_trafficList);
    const std::time_t now = m_clock->now();
    std::string text = "Traffic rank list (Tranco): " + list.ageText(now);
    if (list.needsRefresh(now))
        text += "; it is downloaded when the snapshot starts";
    m_trafficAge->setText(toQString(text));
    m_trafficAge->setVisible(true);
}

bool CNewSnapshotDlg::approvalIncluded() const
{
    return m_run && m_run->options().includeApproval;
}

void CNewSnapshotDlg::done(int result)
{
    closeRun();
    QDialog::done(result);
}

void CNewSnapshotDlg::start()
{
    if (m_run)
        return;
    SnapshotOptions options;
    options.includeGeneral = m_general->isChecked();
    options.includeSerp = m_serp->isEnabled() && m_serp->isChecked();
    options.includeApproval = m_approval->isChecked();
    options.entireDatabase = options.includeApproval && m_entire->isChecked();
    options.resumeRecord = options.includeApproval ? m_resume->value() : 0;
    m_start->setEnabled(false);
    for (QWidget* option :
        std::initializer_list<QWidget*> { m_general, m_serp, m_approval, m_entire, m_resume })
        option->setEnabled(false);

    SnapshotRun::Input input =
        snapshotInput(m_profiles, m_profile, m_directories, options, m_hosts.vendorUrl("/"));
    input.trafficList = m_trafficList;
    input.trafficListUrl = m_hosts.services().trancoUrl;
    m_run = SnapshotRun::create(std::move(input), CSEOData(m_hosts, m_sleeper), m_sleeper, m_clock, this);
    m_run->start();
}

void CNewSnapshotDlg::saveReport()
{
    if (!m_run)
        return;
    const QString file = m_chooseFile(this);
    if (file.isEmpty())
        return;
    saveSnapshotReport(toStdString(file), m_run->buildReport(), m_messages);
}

void CNewSnapshotDlg::updateApprovalOptions()
{
    const bool enabled = m_approval->isChecked() && m_approval->isEnabled();
    m_entire->setEnabled(enabled);
    m_resume->setEnabled(enabled);
}

void CNewSnapshotDlg::closeRun()
{
    if (!m_run || m_closing)
        return;
    m_closing = true;
    // From here on no call of the run reaches this window; the approvals it has
    // already handed over are still recorded.
    m_run->close();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CNewSnapshotDlg::onStatus(const std::string& status)
{
    post([this, status] {
        if (!m_closing)
            m_status->setText(toQString(status));
    });
}

void CNewSnapshotDlg::onProgress(const std::string& progress)
{
    post([this, progress] {
        if (!m_closing)
            m_progress->setText(toQString(progress));
    });
}

void CNewSnapshotDlg::onApprovalFound(const SnapshotRun::Approval& approval)
{
    post([this, approval] { recordFoundApproval(m_profiles, m_profile.name, approval, *m_clock); });
}

void CNewSnapshotDlg::onFinished(const std::string&)
{
    post([this] {
        if (m_closing)
            return;
        m_save->setEnabled(true);
        // The run may have downloaded a fresh list.
        if (!m_trafficList.empty())
            showTrafficListAge();
        saveReport();
    });
}

template <typename Work> void CNewSnapshotDlg::post(Work work)
{
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}
