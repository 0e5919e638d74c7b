#include "widgets/CStaticHelp.h"

#include "widgets/CStaticTip.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kCharactersPerLine = 42;
const QColor kTipColour(248, 235, 1);
constexpr const char* kDefaultText = "the quick brown fox jumps over the lazy dog";

// The two pictures are drawn rather than shipped: a blue question mark in a
// circle, and a brighter one for the highlighted state.
QPixmap questionMark(bool highlighted)
{
    const qreal scale = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(16, 16) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(highlighted ? QColor(200, 120, 0) : QColor(30, 80, 170), 1));
    painter.setBrush(highlighted ? QColor(255, 214, 90) : QColor(225, 235, 250));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace

CStaticHelp::CStaticHelp(QWidget* parent)
    : CStaticHelp(QString::fromLatin1(kDefaultText), kNormalBitmap, kHoverBitmap, 0, 0, parent)
{
}

CStaticHelp::CStaticHelp(const QString& text, QWidget* parent)
    : CStaticHelp(text, kNormalBitmap, kHoverBitmap, 0, 0, parent)
{
}

CStaticHelp::CStaticHelp(
    const QString& text, int normalBitmap, int hoverBitmap, int tipWidth, int tipHeight, QWidget* parent)
    : QLabel(parent)
    , m_text(text)
    , m_normalBitmap(normalBitmap)
    , m_hoverBitmap(hoverBitmap)
    , m_tipSize(tipWidth, tipHeight)
{
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverMilliseconds);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CStaticHelp::showTip);
    setMouseTracking(true);
    setFixedSize(16, 16);
    showBitmap(m_normalBitmap);
}

void CStaticHelp::setHelpText(const QString& text)
{
    m_text = text;
    m_tipSize = QSize(0, 0);
}

QSize CStaticHelp::tipSize(int textLength, int averageCharWidth, int lineHeight)
{
    return QSize(
        averageCharWidth * kCharactersPerLine + 5, (textLength / kCharactersPerLine + 1) * lineHeight);
}

QPoint CStaticHelp::tipPosition(const QRect& iconOnScreen, const QSize& tip, const QRect& workArea)
{
    int left = iconOnScreen.x() + iconOnScreen.width() + 5;
    int top = iconOnScreen.y();
    const int workBottom = workArea.y() + workArea.height();
    const int workRight = workArea.x() + workArea.width();
    if (top + tip.height() > workBottom)
        top = workBottom - tip.height() - 20;
    if (left + tip.width() > workRight)
        left = iconOnScreen.x() - tip.width() - 5;
    return QPoint(left, top);
}

void CStaticHelp::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_tip)
        m_hoverTimer.start();
}

void CStaticHelp::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    // The mouse must rest: every move before the pop-up shows starts the wait anew.
    if (!m_tip)
        m_hoverTimer.start();
}

void CStaticHelp::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    m_hoverTimer.stop();
    hideTip();
}

void CStaticHelp::showTip()
{
    showBitmap(m_hoverBitmap);
    auto* tip = new CStaticTip(m_text, kTipColour, this);
    tip->setObjectName("helpTip");
    QFont font = tip->font();
    font.setPointSize(8);
    tip->setFont(font);
    if (m_tipSize.width() == 0 || m_tipSize.height() == 0) {
        const QFontMetrics metrics(font);
        m_tipSize = tipSize(static_cast<int>(m_text.size()), metrics.averageCharWidth(), metrics.height());
    }
    const QRect icon(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
    tip->setGeometry(QRect(tipPosition(icon, m_tipSize, workArea), m_tipSize));
    tip->show();
    tip->repaint();
    m_tip = tip;
}

void CStaticHelp::hideTip()
{
    showBitmap(m_normalBitmap);
    delete m_tip.data();
}

void CStaticHelp::showBitmap(int bitmap)
{
    m_highlighted = bitmap == m_hoverBitmap;
    setPixmap(questionMark(m_highlighted));
}

QWidget* withHelpIcon(QWidget* parent, QWidget* field, const QString& help)
{
    auto* box = new QWidget(parent);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(field, 1);
    line->addWidget(new CStaticHelp(help, box));
    return box;
}
