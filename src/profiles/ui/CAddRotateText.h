#pragma once

#include "profiles/TextCount.h"

#include <QDialog>

#include <optional>
#include <string>

class IMessageBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace SendingProfile {

// The editor of one alternative title, description or keyword line: a text
// field with a line under it that counts its characters and words as it changes.
// OK is refused while the text is empty.
class CAddRotateText : public QDialog {
    Q_OBJECT

public:
    // The caption until the caller sets its own.
    static constexpr const char* kDefaultCaption = "Add new...";

    explicit CAddRotateText(IMessageBox& messages, QWidget* parent = nullptr);

    // Shows the editor modally with a caption and a text; the text after OK.
    static std::optional<std::string> edit(
        IMessageBox& messages, QWidget* parent, const QString& caption, const std::string& text);

    void setText(const std::string& text);
    std::string text() const;
    // The count the counter line shows.
    const TextCount& count() const { return m_count; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recount();

    IMessageBox& m_messages;
    QPlainTextEdit* m_text;
    QLabel* m_counter;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    TextCount m_count;
};

} // namespace SendingProfile
