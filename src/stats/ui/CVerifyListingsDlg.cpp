#include "stats/ui/CVerifyListingsDlg.h"

#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"
#include "stats/ListingStores.h"
#include "widgets/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using SendingProfile::ListingRecord;
using SendingProfile::ListingState;

namespace {

constexpr const char* kCaption = "Verify Listings";
constexpr const char* kChecking = "Looking for the listings of the site…";
constexpr const char* kCancelling = "Cancelling…";
constexpr const char* kCancelled = "Cancelled; the directories checked so far are kept.";
constexpr const char* kDone = "Done: %1 of %2 directories list the site.";
constexpr const char* kNothing = "The profile has sent to no directory yet.";
enum Column { DirectoryColumn, StateColumn, PageColumn, FollowedColumn, ColumnCount };

QString followedText(const ListingRecord& record)
{
    if (record.state != ListingState::Listed)
        return {};
    QString text = record.followed() ? QStringLiteral("followed") : toQString(record.rel);
    if (!record.direct)
        text += QStringLiteral(" (through a redirect)");
    return text;
}

} // namespace

CVerifyListingsDlg::CVerifyListingsDlg(SendingProfile::ProfileStore& profiles, std::string profile,
    ListingVerifier verifier, std::vector<ListingTarget> targets, const IClock& clock, QWidget* parent)
    : QDialog(parent)
    , m_profiles(profiles)
    , m_profile(std::move(profile))
    , m_verifier(std::move(verifier))
    , m_targets(std::move(targets))
    , m_clock(clock)
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_table(new QTableWidget(static_cast<int>(m_targets.size()), ColumnCount, this))
    , m_button(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    m_status->setObjectName(QStringLiteral("status"));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_table->setObjectName(QStringLiteral("results"));
    m_button->setObjectName(QStringLiteral("cancel"));
    m_progress->setRange(0, static_cast<int>(m_targets.size()));
    m_progress->setValue(0);
    m_table->setHorizontalHeaderLabels({ QStringLiteral("Directory"), QStringLiteral("State"),
        QStringLiteral("Listing page"), QStringLiteral("Link") });
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (std::size_t row = 0; row < m_targets.size(); ++row)
        m_table->setItem(static_cast<int>(row), DirectoryColumn,
            new QTableWidgetItem(toQString(m_targets[row].directory)));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_table);
    layout->addWidget(m_button, 0, Qt::AlignRight);
    connect(m_button, &QPushButton::clicked, this, &CVerifyListingsDlg::reject);
    resize(760, 420);
    m_status->setText(QString::fromUtf8(m_targets.empty() ? kNothing : kChecking));
}

CVerifyListingsDlg::~CVerifyListingsDlg()
{
    stop();
}

void CVerifyListingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_worker.joinable())
        start();
}

void CVerifyListingsDlg::start()
{
    if (m_targets.empty()) {
        finish();
        return;
    }
    if (m_worker.joinable())
        return;
    const std::string today = SendingProfile::stateDate(m_clock);
    // Queued calls to this window are dropped if it is gone; it outlives the
    // worker, which its destructor waits for.
    m_worker = std::thread([this, today] {
        m_verifier.checkAll(
            m_targets, today,
            [this](std::size_t index, const ListingRecord& record) {
                QMetaObject::invokeMethod(
                    this, [this, index, record] { showResult(index, record); }, Qt::QueuedConnection);
            },
            &m_cancel);
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
}

void CVerifyListingsDlg::showResult(std::size_t index, const ListingRecord& record)
{
    recordListing(m_profiles, m_clock, m_profile, m_targets[index], record);
    ++m_recorded;
    const int row = static_cast<int>(index);
    m_table->setItem(
        row, StateColumn, new QTableWidgetItem(toQString(std::string(listingStateName(record.state)))));
    m_table->setItem(row, PageColumn, new QTableWidgetItem(toQString(record.page)));
    m_table->setItem(row, FollowedColumn, new QTableWidgetItem(followedText(record)));
    m_progress->setValue(m_progress->value() + 1);
}

void CVerifyListingsDlg::finish()
{
    if (m_worker.joinable())
        m_worker.join();
    m_finished = true;
    int listed = 0;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem* state = m_table->item(row, StateColumn);
        listed +=
            state && state->text() == QString::fromLatin1(listingStateName(ListingState::Listed).data());
    }
    m_button->setEnabled(true);
    if (m_cancel)
        m_status->setText(QString::fromLatin1(kCancelled));
    else if (!m_targets.empty())
        m_status->setText(QString::fromLatin1(kDone).arg(listed).arg(m_targets.size()));
    m_button->setText(QStringLiteral("Close"));
}

void CVerifyListingsDlg::reject()
{
    if (!running()) {
        QDialog::reject();
        return;
    }
    // The worker stops within a request; what it found until then still
    // arrives, and its last call turns the button into Close.
    m_cancel = true;
    m_button->setEnabled(false);
    m_status->setText(QString::fromUtf8(kCancelling));
}

void CVerifyListingsDlg::stop()
{
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}
