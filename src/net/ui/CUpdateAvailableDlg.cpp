#include "net/ui/CUpdateAvailableDlg.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr const char* kLinkMarker = "{loginurl}";

QString noticeHtml(const QString& loginUrl)
{
    QFile page(QString::fromLatin1(CUpdateAvailableDlg::kNoticePage));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(page.readAll())
        .replace(QString::fromLatin1(kLinkMarker), loginUrl.toHtmlEscaped());
}

} // namespace

CUpdateAvailableDlg::CUpdateAvailableDlg(const QString& loginUrl, QWidget* parent)
    : QDialog(parent)
    , m_notice(new QTextBrowser)
{
    setWindowTitle(QString::fromLatin1(kCaption));

    // The notice reads like part of the dialog: its face colour, no frame, no
    // scroll bars, no selection and no context menu; only the link reacts.
    m_notice->setFrameShape(QFrame::NoFrame);
    m_notice->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notice->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_notice->setContextMenuPolicy(Qt::NoContextMenu);
    m_notice->viewport()->setCursor(Qt::ArrowCursor);
    m_notice->setOpenExternalLinks(true);
    QPalette palette = m_notice->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_notice->setPalette(palette);
    m_notice->viewport()->setAutoFillBackground(false);
    m_notice->document()->setDocumentMargin(0);
    m_notice->setHtml(noticeHtml(loginUrl));

    auto* frame = new QGroupBox(QString::fromLatin1(kCaption));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_notice);

    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(400, 150);

    m_notice->setObjectName("noticeView");
}
