#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The text of a directory list as its reader takes it: UTF-8 whatever the file
// was written in, or the reason why the bytes are no list at all.

// A longer file or download is refused before it is read: no directory list
// comes near this size, and reading it whole must stay cheap.
inline constexpr std::size_t kMaxListBytes = std::size_t { 32 } << 20;

// The text of one list, held as it was read when it needed no conversion.
class ListText {
public:
    ListText() = default;
    // The text is a view into what this holds, which a short string does not keep in
    // place when it moves: a move points it at the new home.
    ListText(ListText&& other) noexcept;
    ListText& operator=(ListText&& other) noexcept;
    // A text that is no list, and why ("it holds binary data, ...").
    static ListText refused(std::string problem);

    // Why the bytes are no list; empty when they are.
    const std::string& problem() const { return m_problem; }
    // The list in UTF-8, without a byte order mark; valid while this is.
    std::string_view text() const { return m_text; }
    // Whether the text may hold control characters (other than tabs and line
    // ends), which names lose; false only when none was seen.
    bool mayHoldControls() const { return m_controls; }

    // Takes the bytes of a list as read; see listTextOf.
    void take(std::string bytes);
    void take(std::unique_ptr<char[]> bytes, std::size_t size);

private:
    void check();

    std::string m_problem;
    std::string m_owned;
    std::unique_ptr<char[]> m_buffer; // a file as read, when it needed no conversion
    std::string_view m_text;
    bool m_controls = true;
};

// The text of a list's bytes. UTF-8 is taken as it is, with or without a byte
// order mark; UTF-16 with a byte order mark (a spreadsheet's "Unicode text") is
// converted; a line that is not well-formed UTF-8 is read as Windows-1252, as
// older lists exported on Windows are. Bytes over kMaxListBytes, and binary
// data (NUL bytes, or mostly control characters), are refused.
ListText listTextOf(std::string bytes);

// The text of a list file; none when the file cannot be opened or read (a
// folder, a missing file). A file over kMaxListBytes is refused unread.
std::optional<ListText> readListFile(const std::filesystem::path& file);
