#pragma once

#include <QFrame>

#include <functional>
#include <vector>

class QLabel;
class QHBoxLayout;

// A panel that takes the place of a page to say what happened to it (a
// certificate problem, a crashed page) and to offer what can be done; the
// first choice is the default one.
class PageNotice : public QFrame {
    Q_OBJECT

public:
    // One button of the panel.
    struct Choice {
        QString text;
        QString objectName; // for tests and screenshots
        std::function<void()> act;
    };

    explicit PageNotice(QWidget* parent = nullptr);

    // Shows the title, the text (plain, never markup) and one button per choice.
    void present(const QString& title, const QString& text, const std::vector<Choice>& choices);

    QString title() const;
    QString text() const;

private:
    QLabel* m_title;
    QLabel* m_text;
    QHBoxLayout* m_buttons;
};
