#pragma once

#include "custom/FollowedLists.h"

#include <QDialog>

#include <ctime>
#include <functional>

class IMessageBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Directory Lists": the lists the user follows at their addresses, each with
// when it was last updated; an address is added or a list removed at once
// (saved to data/lists.xml), "Update Now" hands over to the window's update,
// and one public list is suggested, added only when its button is pressed and
// fetched only by the next update.
class CDirectoryListsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Directory Lists";
    static constexpr const char* kNotAnAddress =
        "Enter the address of a directory list, starting with http:// or https://.";
    static constexpr const char* kFollowedAlready = "That directory list is followed already.";
    static constexpr const char* kRemoveQuestion =
        "Stop following %1? The directories it brought stay in your list.";

    // Runs the update of every followed list (the window's "Update Lists").
    using UpdateNow = std::function<void()>;

    CDirectoryListsDlg(
        const DataFolder& folder, IMessageBox& messages, UpdateNow updateNow, QWidget* parent = nullptr);

    const FollowedLists& lists() const { return m_lists; }

private:
    void reload();
    void showLists();
    void add(const std::string& url);
    void removeSelected();
    void updateNow();
    bool save();

    FollowedLists m_lists;
    IMessageBox& m_messages;
    UpdateNow m_updateNow;
    QListWidget* m_list;
    QLineEdit* m_url;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_update;
    QPushButton* m_suggest;
};

// A followed list as a line: "URL (updated 2026-12-09 10:11, 582 directories)"
// or "URL (not read yet)".
std::string followedListText(const FollowedList& list);
