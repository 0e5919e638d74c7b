#pragma once

#include "app/DirectoryList.h"

#include <string>
#include <string_view>
#include <vector>

// How the directory table's columns are laid out: their order on the screen,
// their widths and which are hidden, kept in data/settings.xml as a text such
// as "name:180,rating:50,-link:70,pr:40,-category:120,state:90,date:110"
// (a "-" hides a column).
struct DirectoryColumnLayout {
    struct Column {
        DirectoryColumn column;
        int width = 0;
        bool hidden = false;

        bool operator==(const Column&) const = default;
    };

    std::vector<Column> columns; // every column once, in the order shown

    bool operator==(const DirectoryColumnLayout&) const = default;

    // Name, Rating, State and Date shown; Link, PR and Category hidden.
    static DirectoryColumnLayout defaults();
    // Reads a text; unknown or repeated names and bad widths are passed over,
    // and columns it does not name keep their defaults, after the named ones.
    static DirectoryColumnLayout parse(std::string_view text);
    std::string text() const;
};

// A column's name in the layout text: "name", "rating", "link", "pr", "category", "state", "date".
std::string_view directoryColumnName(DirectoryColumn column);
