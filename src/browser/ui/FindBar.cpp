#include "browser/ui/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

FindBar::FindBar(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLineEdit)
    , m_result(new QLabel)
    , m_previous(new QToolButton)
    , m_next(new QToolButton)
    , m_close(new QToolButton)
    , m_typing(new QTimer(this))
{
    m_text->setPlaceholderText(QStringLiteral("Find in page"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_previous->setText(QStringLiteral("Previous"));
    m_previous->setToolTip(QStringLiteral("Previous match (Shift+Enter)"));
    m_next->setText(QStringLiteral("Next"));
    m_next->setToolTip(QStringLiteral("Next match (Enter)"));
    m_close->setText(QStringLiteral("Close"));
    m_close->setToolTip(QStringLiteral("Close the find bar (Escape)"));
    m_close->setAutoRaise(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Find:")));
    layout->addWidget(m_text, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_result);
    layout->addWidget(m_close);

    // Find as you type, once the typing pauses: the engine cancels a search that
    // a newer one overtakes, and the answer for the text shown could be lost.
    m_typing->setSingleShot(true);
    m_typing->setInterval(150);
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            m_result->clear();
        m_typing->start();
    });
    connect(m_typing, &QTimer::timeout, this, [this] { emit findRequested(m_text->text(), false); });
    connect(m_previous, &QToolButton::clicked, this, [this] { emit findRequested(m_text->text(), true); });
    connect(m_next, &QToolButton::clicked, this, [this] { emit findRequested(m_text->text(), false); });
    connect(m_close, &QToolButton::clicked, this, &FindBar::dismiss);
    hide();

    m_text->setObjectName("findEdit");
    m_result->setObjectName("findResult");
    m_previous->setObjectName("findPreviousButton");
    m_next->setObjectName("findNextButton");
    m_close->setObjectName("findCloseButton");
}

void FindBar::open()
{
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::dismiss()
{
    if (isHidden())
        return;
    m_typing->stop();
    hide();
    m_result->clear();
    emit closed();
}

QString FindBar::text() const
{
    return m_text->text();
}

void FindBar::showResult(int active, int count)
{
    if (m_text->text().isEmpty())
        m_result->clear();
    else if (count <= 0)
        m_result->setText(QStringLiteral("No matches"));
    else
        m_result->setText(QStringLiteral("%1 of %2").arg(active).arg(count));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_typing->stop();
            emit findRequested(m_text->text(), key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
