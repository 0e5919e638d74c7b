#include "custom/ui/CUpdateListsDlg.h"

#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kFetchingText = "Fetching the directory lists you follow...";
constexpr const char* kCancellingText = "Stopping...";
constexpr int kProgressMs = 100;

} // namespace

CUpdateListsDlg::CUpdateListsDlg(std::vector<FollowedList> lists, QWidget* parent)
    : QDialog(parent)
    , m_lists(std::move(lists))
    , m_cancel(std::make_shared<std::atomic<bool>>(false))
    , m_done(std::make_shared<std::atomic<int>>(0))
    , m_status(new QLabel(toQString(kFetchingText), this))
    , m_progress(new QProgressBar(this))
    , m_cancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(toQString(kCaption));
    m_progress->setRange(0, static_cast<int>(m_lists.size()));
    m_progress->setValue(0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());
    connect(m_cancelButton, &QPushButton::clicked, this, &CUpdateListsDlg::reject);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] { m_progress->setValue(m_done->load()); });

    m_status->setObjectName("statusLine");
    m_progress->setObjectName("progressBar");
    m_cancelButton->setObjectName("cancelButton");
}

CUpdateListsDlg::~CUpdateListsDlg()
{
    m_cancel->store(true);
    m_runner.detach();
}

void CUpdateListsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        start();
    }
}

// Escape and the close box cancel: the requests under way end soon, and the
// dialog closes when the worker has let go.
void CUpdateListsDlg::reject()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_cancel->store(true);
    m_cancelButton->setEnabled(false);
    m_status->setText(toQString(kCancellingText));
}

void CUpdateListsDlg::start()
{
    m_progressTimer.start(kProgressMs);
    const QPointer<CUpdateListsDlg> self(this);
    m_runner.start(
        [lists = m_lists, cancel = m_cancel, done = m_done] {
            std::vector<ListFetch> fetches;
            for (const FollowedList& list : lists) {
                fetches.push_back(fetchFollowedList(list, cancel.get()));
                ++*done;
            }
            return fetches;
        },
        [self](std::vector<ListFetch> fetches) {
            // The runner holds the dialog while this runs; the queued call is
            // dropped by Qt if the dialog is gone by the time it would run.
            QMetaObject::invokeMethod(
                self.data(),
                [self, fetches = std::move(fetches)]() mutable {
                    if (self)
                        self->finish(std::move(fetches));
                },
                Qt::QueuedConnection);
        });
}

void CUpdateListsDlg::finish(std::vector<ListFetch> fetches)
{
    m_progressTimer.stop();
    m_fetches = std::move(fetches);
    if (m_cancelled)
        QDialog::reject();
    else
        accept();
}
