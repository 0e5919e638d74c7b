#pragma once

#include <QColor>
#include <QLabel>

// The small yellow pop-up of a help icon: centred, wrapped text on a solid colour.
class CStaticTip : public QLabel {
    Q_OBJECT

public:
    CStaticTip(const QString& text, const QColor& background, QWidget* parent);
};
