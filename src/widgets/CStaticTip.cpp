#include "widgets/CStaticTip.h"

CStaticTip::CStaticTip(const QString& text, const QColor& background, QWidget* parent)
    : QLabel(text, parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}
