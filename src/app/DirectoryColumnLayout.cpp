#include "app/DirectoryColumnLayout.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

struct ColumnDefaults {
    const char* name;
    int width;
    bool hidden;
};

// In the order of DirectoryColumn.
constexpr ColumnDefaults kDefaults[kDirectoryColumnCount] = {
    { "name", 150, false },
    { "rating", 52, false },
    { "link", 72, true },
    { "pr", 36, true },
    { "category", 120, true },
    { "state", 96, false },
    { "date", 110, false },
};

// Narrower than this a column could not be found again to widen it.
constexpr int kMinimumWidth = 16;
constexpr int kMaximumWidth = 2000;
constexpr char kHidden = '-';

std::optional<DirectoryColumn> columnNamed(std::string_view name)
{
    for (int column = 0; column < kDirectoryColumnCount; ++column) {
        if (name == kDefaults[column].name)
            return static_cast<DirectoryColumn>(column);
    }
    return std::nullopt;
}

DirectoryColumnLayout::Column defaultColumn(DirectoryColumn column)
{
    const ColumnDefaults& defaults = kDefaults[static_cast<int>(column)];
    return { column, defaults.width, defaults.hidden };
}

// One "name:width" or "-name:width" entry; none when it makes no sense.
std::optional<DirectoryColumnLayout::Column> parseEntry(std::string_view entry)
{
    const bool hidden = entry.starts_with(kHidden);
    if (hidden)
        entry.remove_prefix(1);
    const std::size_t colon = entry.find(':');
    const std::optional<DirectoryColumn> column = columnNamed(entry.substr(0, colon));
    if (!column || colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view digits = entry.substr(colon + 1);
    int width = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), width);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    // The name stays, or no row could be told from another.
    return DirectoryColumnLayout::Column { *column, std::clamp(width, kMinimumWidth, kMaximumWidth),
        hidden && *column != DirectoryColumn::Name };
}

} // namespace

DirectoryColumnLayout DirectoryColumnLayout::defaults()
{
    DirectoryColumnLayout layout;
    for (int column = 0; column < kDirectoryColumnCount; ++column)
        layout.columns.push_back(defaultColumn(static_cast<DirectoryColumn>(column)));
    return layout;
}

DirectoryColumnLayout DirectoryColumnLayout::parse(std::string_view text)
{
    DirectoryColumnLayout layout;
    const auto has = [&layout](DirectoryColumn column) {
        return std::ranges::any_of(
            layout.columns, [column](const Column& known) { return known.column == column; });
    };
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::optional<Column> entry = parseEntry(text.substr(0, comma));
        if (entry && !has(entry->column))
            layout.columns.push_back(*entry);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    for (int column = 0; column < kDirectoryColumnCount; ++column) {
        if (!has(static_cast<DirectoryColumn>(column)))
            layout.columns.push_back(defaultColumn(static_cast<DirectoryColumn>(column)));
    }
    return layout;
}

std::string DirectoryColumnLayout::text() const
{
    std::string text;
    for (const Column& column : columns) {
        if (!text.empty())
            text += ',';
        if (column.hidden)
            text += kHidden;
        text += directoryColumnName(column.column);
        text += ':' + std::to_string(column.width);
    }
    return text;
}

std::string_view directoryColumnName(DirectoryColumn column)
{
    return kDefaults[static_cast<int>(column)].name;
}
