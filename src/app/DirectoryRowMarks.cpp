#include "app/DirectoryRowMarks.h"

#include "app/DirectoryList.h"
#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "directories/DirectoryStore.h"
#include "filling/PageFiller.h"
#include "filling/PickSlots.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

#include <algorithm>

using SendingProfile::DirectoryState;
using SendingProfile::DirectoryStates;
using SendingProfile::ProfileStore;

DirectoryRowMarks::DirectoryRowMarks(
    const DirectoryStore& directories, ProfileStore& profiles, const IClock& clock)
    : m_directories(directories)
    , m_profiles(profiles)
    , m_clock(clock)
{
}

void DirectoryRowMarks::markSent(
    DirectoryList& list, std::size_t row, const std::string& profile, const PickSlots& picks) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    const std::string url = m_directories.GetSubmitUrl(name);
    if (m_profiles.IsSubmitted(profile, name, url)) {
        // A state kept since the submission (a later refusal) gives way to the mark.
        if (m_profiles.removeDirectoryState(profile, name))
            refreshState(list, row, profile);
        return;
    }
    const std::string date = SendingProfile::submissionDate(m_clock);
    if (!m_profiles.AddSubmission(profile, name, url, picks.title, picks.keywords, picks.description, date))
        return;
    ++list.sentCount;
    shown.text = rowTextWithSuffix(shown.text, kSentSuffix);
    shown.date = date;
    m_profiles.RemoveCustomColor(profile, name);
    shown.color = plainColor(name, true);
    refreshState(list, row, profile);
}

void DirectoryRowMarks::markUnsent(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    const std::string url = m_directories.GetSubmitUrl(name);
    if (m_profiles.IsSubmitted(profile, name, url) && m_profiles.RemoveSubmission(profile, name, url))
        --list.sentCount;
    // The row changes also when nothing was sent: this is how a broken mark is taken back.
    shown.text = rowTextWithSuffix(shown.text, kNotSentSuffix);
    shown.date.clear();
    m_profiles.RemoveCustomColor(profile, name);
    m_profiles.removeDirectoryState(profile, name);
    shown.color = plainColor(name, false);
    refreshState(list, row, profile);
}

void DirectoryRowMarks::markBroken(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    markUnsent(list, row, profile);
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    if (DirectoryStates(m_profiles, m_clock)
            .set(profile, name, m_directories.GetSubmitUrl(name), DirectoryState::Broken))
        shown.color = kBrokenColor;
    refreshState(list, row, profile);
}

void DirectoryRowMarks::markApproved(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    if (m_profiles.SetApproved(profile, name, m_directories.GetSubmitUrl(name), true))
        shown.text = rowTextWithSuffix(shown.text, kApprovedSuffix);
    refreshState(list, row, profile);
}

void DirectoryRowMarks::markUnapproved(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    if (m_profiles.SetApproved(profile, name, m_directories.GetSubmitUrl(name), false))
        shown.text = rowTextWithSuffix(shown.text, kSentSuffix);
    refreshState(list, row, profile);
}

void DirectoryRowMarks::setCustomColor(DirectoryList& list, std::size_t row, std::uint32_t color) const
{
    DirectoryListRow& shown = list.rows.at(row);
    if (m_profiles.SetCustomColor({}, rowDirectoryName(shown.text), color))
        shown.color = color;
}

void DirectoryRowMarks::removeCustomColor(
    DirectoryList& list, std::size_t row, const std::optional<std::string>& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    m_profiles.RemoveCustomColor({}, name);
    const bool sent = profile && m_profiles.IsSubmitted(*profile, name, m_directories.GetSubmitUrl(name));
    shown.color = sent
        ? kSentRowColor
        : revisionColor(m_directories.GetRevision(name), m_directories.GetLatestDirectoryRevision());
}

void DirectoryRowMarks::setCustomText(DirectoryList& list, std::size_t row, const std::string& text) const
{
    DirectoryListRow& shown = list.rows.at(row);
    if (m_profiles.SetCustomText(rowDirectoryName(shown.text), text))
        shown.customText = text;
}

std::optional<std::size_t> DirectoryRowMarks::recordSubmission(DirectoryList& list,
    const std::string& profile, const std::string& directory, const SubmissionOutcome& outcome) const
{
    const DirectoryRecord* record = m_directories.find(directory);
    const DirectoryState before = record
        ? DirectoryStates::read(m_profiles, profile, directory, record->submitUrl).state
        : DirectoryState::New;
    if (const auto& entry = outcome.newEntry) {
        if (m_profiles.AddSubmission(profile, entry->friendlyName, entry->url, entry->title, entry->keywords,
                entry->description, entry->datetime))
            ++list.sentCount;
    } else {
        // Sent before: this submission still stands over what was kept since (a refusal).
        m_profiles.removeDirectoryState(profile, directory);
    }
    for (std::size_t row = 0; row < list.rows.size(); ++row) {
        DirectoryListRow& shown = list.rows[row];
        if (!rowShowsDirectory(shown.text, directory))
            continue;
        shown.text = sentRowText(shown.text);
        shown.date = outcome.date;
        if (outcome.rowColor)
            shown.color = *outcome.rowColor;
        refreshState(list, row, profile);
        return row;
    }
    if (record)
        recountUnlisted(list, profile, *record, before);
    return std::nullopt;
}

bool DirectoryRowMarks::markState(DirectoryList& list, std::size_t row, const std::string& profile,
    DirectoryState state, const std::string& reason) const
{
    const std::string name = list.rows.at(row).name;
    const DirectoryRecord* record = m_directories.find(name);
    if (!record)
        return false;
    const bool wasSent = m_profiles.IsSubmitted(profile, name, record->submitUrl);
    if (!DirectoryStates(m_profiles, m_clock).set(profile, name, record->submitUrl, state, reason))
        return false;
    rereadRow(list, row, profile, wasSent);
    return true;
}

std::optional<std::size_t> DirectoryRowMarks::markDirectory(DirectoryList& list, const std::string& profile,
    const std::string& directory, DirectoryState state, const std::string& reason) const
{
    const auto shown = std::ranges::find_if(
        list.rows, [&directory](const DirectoryListRow& row) { return row.name == directory; });
    if (shown != list.rows.end()) {
        const auto row = static_cast<std::size_t>(shown - list.rows.begin());
        return markState(list, row, profile, state, reason) ? std::optional(row) : std::nullopt;
    }
    // Not shown (filtered out): the profile still learns the state, and the progress counts it.
    const DirectoryRecord* record = m_directories.find(directory);
    if (!record)
        return std::nullopt;
    const DirectoryState before =
        DirectoryStates::read(m_profiles, profile, directory, record->submitUrl).state;
    if (DirectoryStates(m_profiles, m_clock).set(profile, directory, record->submitUrl, state, reason))
        recountUnlisted(list, profile, *record, before);
    return std::nullopt;
}

std::uint32_t DirectoryRowMarks::plainColor(const std::string& name, bool sent) const
{
    std::uint32_t color = 0;
    if (m_profiles.GetCustomColor({}, name, color))
        return color;
    return sent ? kSentRowColor
                : revisionColor(m_directories.GetRevision(name), m_directories.GetLatestDirectoryRevision());
}

void DirectoryRowMarks::refreshState(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    list.progress.count(shown.status.state, -1);
    shown.status = DirectoryStates::read(m_profiles, profile, shown.name, shown.address);
    list.progress.count(shown.status.state);
}

void DirectoryRowMarks::rereadRow(
    DirectoryList& list, std::size_t row, const std::string& profile, bool wasSent) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const DirectoryRecord* record = m_directories.find(shown.name);
    if (!record)
        return;
    list.progress.count(shown.status.state, -1);
    shown = readDirectoryRow(m_directories, m_profiles, *record, profile);
    list.progress.count(shown.status.state);
    const bool sent = m_profiles.IsSubmitted(profile, record->name, record->submitUrl);
    list.sentCount += (sent ? 1 : 0) - (wasSent ? 1 : 0);
}

void DirectoryRowMarks::recountUnlisted(DirectoryList& list, const std::string& profile,
    const DirectoryRecord& record, DirectoryState before) const
{
    if (!isListableDirectoryName(record.name))
        return;
    list.progress.count(before, -1);
    list.progress.count(DirectoryStates::read(m_profiles, profile, record.name, record.submitUrl).state);
}
