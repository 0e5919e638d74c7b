#pragma once

#include "directories/DirectoryStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <iosfwd>
#include <string>
#include <string_view>

// A database text: the declaration, then the root element around the body.
std::string databaseText(std::string_view root, std::string_view body);

// A store of the given root name loaded from a plain text written to a file.
struct LoadedStore {
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store;
    bool loaded = false;

    explicit LoadedStore(std::string_view text, std::string root = "rf", bool plain = true);
};

// Names of a store, in store order.
std::vector<std::string> namesOf(const DirectoryStore& store);

// Readable failure output for GoogleTest.
void PrintTo(const DirectoryRecord& record, std::ostream* out);
void PrintTo(const DirectoryItem& item, std::ostream* out);
