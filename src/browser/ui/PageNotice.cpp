#include "browser/ui/PageNotice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTextWidth = 520;

} // namespace

PageNotice::PageNotice(QWidget* parent)
    : QFrame(parent)
    , m_title(new QLabel)
    , m_text(new QLabel)
    , m_buttons(new QHBoxLayout)
{
    QFont large = m_title->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    m_title->setFont(large);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_title->setMaximumWidth(kTextWidth);
    m_text->setMaximumWidth(kTextWidth);

    auto* inside = new QVBoxLayout;
    inside->addWidget(m_title);
    inside->addSpacing(8);
    inside->addWidget(m_text);
    inside->addSpacing(12);
    inside->addLayout(m_buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addStretch(1);
    middle->addLayout(inside);
    middle->addStretch(1);
    layout->addLayout(middle);
    layout->addStretch(2);
    setAutoFillBackground(true);

    m_title->setObjectName("noticeTitle");
    m_text->setObjectName("noticeText");
}

void PageNotice::present(const QString& title, const QString& text, const std::vector<Choice>& choices)
{
    m_title->setText(title);
    m_text->setText(text);
    while (QLayoutItem* item = m_buttons->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    bool first = true;
    for (const Choice& choice : choices) {
        auto* button = new QPushButton(choice.text);
        button->setObjectName(choice.objectName);
        button->setDefault(first);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [act = choice.act] { act(); });
        m_buttons->addWidget(button);
        if (first)
            button->setFocus();
        first = false;
    }
    m_buttons->addStretch(1);
}

QString PageNotice::title() const
{
    return m_title->text();
}

QString PageNotice::text() const
{
    return m_text->text();
}
