#include "app/DirectoryRowMarks.h"

#include "app/DirectoryList.h"
#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "directories/DirectoryStore.h"
#include "filling/PageFiller.h"
#include "filling/PickSlots.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

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
    if (m_profiles.IsSubmitted(profile, name, url))
        return;
    const std::string date = SendingProfile::submissionDate(m_clock);
    if (!m_profiles.AddSubmission(profile, name, url, picks.title, picks.keywords, picks.description, date))
        return;
    ++list.sentCount;
    shown.text = rowTextWithSuffix(shown.text, kSentSuffix);
    shown.date = date;
    m_profiles.RemoveCustomColor(profile, name);
    shown.color = plainColor(name, true);
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
    shown.color = plainColor(name, false);
}

void DirectoryRowMarks::markBroken(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    markUnsent(list, row, profile);
    DirectoryListRow& shown = list.rows.at(row);
    m_profiles.SetCustomColor(profile, rowDirectoryName(shown.text), kBrokenColor);
    shown.color = kBrokenColor;
}

void DirectoryRowMarks::markApproved(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    if (m_profiles.SetApproved(profile, name, m_directories.GetSubmitUrl(name), true))
        shown.text = rowTextWithSuffix(shown.text, kApprovedSuffix);
}

void DirectoryRowMarks::markUnapproved(DirectoryList& list, std::size_t row, const std::string& profile) const
{
    DirectoryListRow& shown = list.rows.at(row);
    const std::string name = rowDirectoryName(shown.text);
    if (m_profiles.SetApproved(profile, name, m_directories.GetSubmitUrl(name), false))
        shown.text = rowTextWithSuffix(shown.text, kSentSuffix);
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
    if (const auto& entry = outcome.newEntry) {
        if (m_profiles.AddSubmission(profile, entry->friendlyName, entry->url, entry->title, entry->keywords,
                entry->description, entry->datetime))
            ++list.sentCount;
    }
    for (std::size_t row = 0; row < list.rows.size(); ++row) {
        DirectoryListRow& shown = list.rows[row];
        if (!rowShowsDirectory(shown.text, directory))
            continue;
        shown.text = sentRowText(shown.text);
        shown.date = outcome.date;
        if (outcome.rowColor)
            shown.color = *outcome.rowColor;
        return row;
    }
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
