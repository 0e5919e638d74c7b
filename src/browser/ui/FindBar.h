#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

// The small bar that finds text in the current page: typing finds the first
// match, Enter the next and Shift+Enter the previous one, Escape closes it.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent = nullptr);

    // Shows the bar with the focus in its text, selected, as Ctrl+F does.
    void open();
    // Hides the bar and tells the page to stop showing matches.
    void dismiss();
    QString text() const;
    // Shows "2 of 5" for the active match, "No matches" without any.
    void showResult(int active, int count);

signals:
    // Find the text, forwards or backwards from the active match.
    void findRequested(const QString& text, bool backward);
    // The bar was closed: the page's matches are no longer shown.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_text;
    QLabel* m_result;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_close;
    QTimer* m_typing; // starts the search when the typing pauses
};
