#pragma once

#include <QWidget>

class DirectoryListView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The right-hand column of the main window: the sort order, the search field
// with the state filter beside it, the directory table, the sent and
// available counts and the "Filter >" button. Only the controls; the
// directory list controller fills and answers them.
class DirectoryPanel : public QWidget {
    Q_OBJECT

public:
    explicit DirectoryPanel(QWidget* parent = nullptr);

    QComboBox* sortBox() const { return m_sort; }
    QLineEdit* searchEdit() const { return m_search; }
    // "All", "To do", "Sent", ...: the entries of stateFilters(), in their order.
    QComboBox* stateFilter() const { return m_states; }
    DirectoryListView* list() const { return m_list; }
    QLabel* sentLabel() const { return m_sent; }
    QLabel* availableLabel() const { return m_available; }
    QPushButton* filterButton() const { return m_filter; }

private:
    QComboBox* m_sort;
    QLineEdit* m_search;
    QComboBox* m_states;
    DirectoryListView* m_list;
    QLabel* m_sent;
    QLabel* m_available;
    QPushButton* m_filter;
};
