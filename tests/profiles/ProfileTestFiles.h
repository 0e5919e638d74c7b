#pragma once

#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// A profile file text: the declaration, then the `profiles` element around the body.
std::string profilesText(std::string_view body);

// A store opened on a text written to sv.xml in a temporary folder.
struct OpenedStore {
    TempFolder folder;
    RecordingMessageBox messages;
    SendingProfile::ProfileStore store;
    bool opened = false;

    explicit OpenedStore(std::string_view text);
    // A store on an empty document, as after opening a missing file.
    OpenedStore();
};

// A profile with every field set, lists of two, and awkward characters.
SendingProfile::SiteProfile sampleProfile(const std::string& name);

// What the directory list asks about one row.
struct RowAnswers {
    bool submitted = false;
    bool approved = false;
    std::optional<std::string> date;
    std::optional<std::uint32_t> profileColor;
    std::optional<std::uint32_t> globalColor;
    std::optional<std::string> text;
    std::optional<std::string> state; // the kept state: "name date reason address"

    bool operator==(const RowAnswers&) const = default;
};

// The answers of the store (from its index).
RowAnswers storeAnswers(const SendingProfile::ProfileStore& store, const std::string& profile,
    const std::string& directory, const std::string& url);
// The same answers found by querying the store's document directly.
RowAnswers queriedAnswers(const SendingProfile::ProfileStore& store, const std::string& profile,
    const std::string& directory, const std::string& url);

// Readable failure output for GoogleTest.
void PrintTo(const RowAnswers& answers, std::ostream* out);
void PrintTo(const SendingProfile::SiteProfile& profile, std::ostream* out);
