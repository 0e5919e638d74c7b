#pragma once

#include "common/IClipboard.h"
#include "common/IRandomSource.h"
#include "directories/DirectoryStore.h"
#include "filling/FormDocumentModel.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "profiles/ProfileStore.h"
#include "profiles/SiteProfile.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// Picks prepared numbers in turn (taken modulo the count), then 0.
class ScriptedRandom : public IRandomSource {
public:
    void queue(std::vector<std::size_t> picks) { m_picks.insert(m_picks.end(), picks.begin(), picks.end()); }
    std::size_t pick(std::size_t count) override;
    int draws() const { return m_draws; }

private:
    std::deque<std::size_t> m_picks;
    int m_draws = 0;
};

// Records what was put on the clipboard.
class RecordingClipboard : public IClipboard {
public:
    void setText(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Elements of a test page. An input's markup is built from its type the way a
// browser serialises it: without a type attribute when the type is empty.
FormElement input(const std::string& name, const std::string& type = "text", const std::string& value = "");
FormElement textArea(const std::string& name, const std::string& value = "");
FormElement dropDown(const std::string& name, std::vector<std::string> options);
FormElement otherElement(const std::string& tag, const std::string& id);
// The same element inside form number `form`.
FormElement inForm(FormElement element, int form);

// An item of a form description.
DirectoryItem item(const std::string& name, ControlType type, int index, const std::string& value = "");

// A page filler over an in-memory directory store and profile store, with a
// profile that has one alternative in each list.
struct FillingBench {
    TempFolder folder;
    RecordingMessageBox messages;
    RecordingClipboard clipboard;
    ScriptedRandom random;
    FixedClock clock { 1'600'000'000 };
    DirectoryStore directories { messages };
    SendingProfile::ProfileStore profiles { messages };
    PageFiller filler { directories, profiles, random, clock, messages, clipboard };
    SendingProfile::SiteProfile profile;
    TabFillState tab;

    FillingBench();
    // Adds a directory with its items and opens it in the tab.
    void openDirectory(const std::string& name, std::vector<DirectoryItem> items);
    void setGeneralItems(std::vector<DirectoryItem> items);
    // Replaces the directory store by a database of these `directory` elements.
    void loadDatabase(std::string_view directoryElements);
};

// The profile the recognition test pages are filled from: a value for every
// meaning and two alternatives of each list, the first too long for short fields.
SendingProfile::SiteProfile recognitionProfile();
// Puts the profile's logo and screenshots in the folder, as small pictures.
void writeProfileFiles(SendingProfile::SiteProfile& profile, TempFolder& folder);
// Whether a field recognised as `meaning` holds what recognitionProfile() puts
// there: its text, the chosen option's text, or "checked" for a ticked box.
// `exactly`, when not empty, is the text the field must hold instead.
bool filledRight(const std::string& meaning, const std::string& exactly, const std::string& value);

// Readable failure output for GoogleTest.
void PrintTo(const FormElement& element, std::ostream* out);

// The values of a model's writes, "name=value", "name:checked"/"name:cleared" or
// "name#option", in the order written.
std::vector<std::string> writesOf(const FormDocumentModel& page);
