#pragma once

#include "widgets/CStaticTip.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

// A question-mark icon beside a dialog field: resting the mouse on it for 100 ms
// highlights it and shows its explanation in a yellow pop-up; leaving removes it.
class CStaticHelp : public QLabel {
    Q_OBJECT

public:
    // The two pictures: a question mark and its highlighted form.
    static constexpr int kNormalBitmap = 151;
    static constexpr int kHoverBitmap = 152;
    // How long the mouse must rest on the icon before the pop-up shows.
    static constexpr int kHoverMilliseconds = 100;

    explicit CStaticHelp(QWidget* parent = nullptr);
    CStaticHelp(const QString& text, int normalBitmap, int hoverBitmap, int tipWidth, int tipHeight,
        QWidget* parent = nullptr);
    // The usual form: bitmaps 151 and 152, the pop-up sized from its text.
    CStaticHelp(const QString& text, QWidget* parent);

    const QString& helpText() const { return m_text; }
    void setHelpText(const QString& text);
    bool isHighlighted() const { return m_highlighted; }

    // The pop-up's size for a text: one line per 42 characters.
    static QSize tipSize(int textLength, int averageCharWidth, int lineHeight);
    // Where the pop-up goes: right of the icon, or left of it near the right edge of
    // the work area, and lifted 20 pixels above its bottom when it would pass it.
    static QPoint tipPosition(const QRect& iconOnScreen, const QSize& tip, const QRect& workArea);

protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showTip();
    void hideTip();
    void showBitmap(int bitmap);

    QString m_text;
    int m_normalBitmap;
    int m_hoverBitmap;
    QSize m_tipSize;
    bool m_highlighted = false;
    QTimer m_hoverTimer;
    QPointer<CStaticTip> m_tip;
};

// A field with its help icon after it, in one widget for a layout cell.
QWidget* withHelpIcon(QWidget* parent, QWidget* field, const QString& help);
