#pragma once

#include "app/DirectoryList.h"

#include <QAbstractTableModel>

class DirectoryStore;

// The rows of the directory table for its view: a column for the name, the
// list's rating and link type, the PageRank, the categories, the active
// profile's state and its date. It holds the built list itself, so that a
// refill is one move and the row commands change rows in place.
class DirectoryListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Roles besides the display text, the colour and the tool tip.
    enum Role {
        AddressRole = Qt::UserRole, // the submit URL
    };

    // The categories come from the store, which outlives the model.
    explicit DirectoryListModel(const DirectoryStore& directories, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The caption of a column's header.
    static QString columnCaption(DirectoryColumn column);

    // Replaces every row.
    void setList(DirectoryList list);
    const DirectoryList& list() const { return m_list; }
    // For changes of single rows; call rowChanged afterwards.
    DirectoryList& list() { return m_list; }
    void rowChanged(std::size_t row);

    // The first row showing the directory, or -1.
    int findDirectory(const std::string& name) const;

private:
    QVariant cellText(const DirectoryListRow& row, DirectoryColumn column) const;

    const DirectoryStore& m_directories;
    DirectoryList m_list;
};
