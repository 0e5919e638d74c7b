#pragma once

#include <QListWidget>

// The profile fields of the directory wizard: each entry can be dragged onto a
// field of the page in the wizard's browser, carrying its placeholder as plain
// text, which the browser inserts where it is dropped.
class ProfileFieldList : public QListWidget {
    Q_OBJECT

public:
    // The role of an entry's placeholder.
    static constexpr int kTokenRole = Qt::UserRole;

    explicit ProfileFieldList(QWidget* parent = nullptr);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};
