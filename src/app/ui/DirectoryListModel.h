#pragma once

#include "app/DirectoryList.h"

#include <QAbstractListModel>

// The rows of the directory list for the list view. It holds the built list
// itself, so that a refill is one move and the row commands change rows in place.
class DirectoryListModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Roles besides the display text, the colour and the tool tip.
    enum Role {
        AddressRole = Qt::UserRole, // the submit URL
    };

    explicit DirectoryListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every row.
    void setList(DirectoryList list);
    const DirectoryList& list() const { return m_list; }
    // For changes of single rows; call rowChanged afterwards.
    DirectoryList& list() { return m_list; }
    void rowChanged(std::size_t row);

    // The first row showing the directory, or -1.
    int findDirectory(const std::string& name) const;

private:
    DirectoryList m_list;
};
