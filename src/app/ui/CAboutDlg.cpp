#include "app/ui/CAboutDlg.h"

#include "app/ui/ToolBarIcons.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr const char* kLinkMarker = "{homeurl}";

QString linkHtml(const QString& homeUrl)
{
    QFile page(QString::fromLatin1(CAboutDlg::kLinkPage));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(page.readAll())
        .replace(QString::fromLatin1(kLinkMarker), homeUrl.toHtmlEscaped());
}

} // namespace

CAboutDlg::CAboutDlg(const QString& homeUrl, QWidget* parent)
    : QDialog(parent)
    , m_link(new QTextBrowser)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* icon = new QLabel;
    icon->setPixmap(ToolBarIcons::application().pixmap(48, 48));
    auto* version = new QLabel(QString::fromLatin1(kVersionText));
    QFont bigger = version->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.4);
    bigger.setBold(true);
    version->setFont(bigger);

    m_link->setFrameShape(QFrame::NoFrame);
    m_link->setOpenExternalLinks(true);
    m_link->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = m_link->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_link->setPalette(palette);
    m_link->setHtml(linkHtml(homeUrl));
    m_link->setMinimumSize(320, 110);

    auto* header = new QHBoxLayout;
    header->addWidget(icon);
    header->addWidget(version, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_link, 1);
    layout->addWidget(buttons);

    m_link->setObjectName("linkView");
}
