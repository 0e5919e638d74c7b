#include "filling/PageFiller.h"

#include "common/IClipboard.h"
#include "common/IMessageBox.h"
#include "common/ISecretStore.h"
#include "directories/DirectoryStore.h"
#include "filling/AccountFill.h"
#include "filling/CategorySearch.h"
#include "filling/CategoryWords.h"
#include "filling/DirectorySite.h"
#include "filling/FormDocumentModel.h"
#include "filling/IFormDocument.h"
#include "filling/PageAnswer.h"
#include "filling/RecognisedFieldFill.h"
#include "filling/TabFillState.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ProfileStore.h"
#include "profiles/SiteProfile.h"
#include "profiles/SubmissionDate.h"

#include <algorithm>
#include <set>

using SendingProfile::SiteProfile;
using SendingProfile::SubmissionEntry;

namespace {

// The only value that ticks a check box.
constexpr const char* kChecked = "true";
constexpr const char* kReciprocalToken = "#reciprocal#";
constexpr std::string_view kPasswordToken = "#password#";
constexpr std::string_view kRowSuffixStart = " [";
constexpr const char* kSentRowSuffix = " [sent]";
constexpr const char* kNoReciprocalField =
    "The reciprocal link was added to your site but Vantelo was unable to detect the appropriate field for "
    "the reciprocal URL on this page. The reciprocal URL was copied to the clipboard for you to paste it in "
    "the appropriate place before submitting.";
constexpr const char* kNoPageSource = "failed to get size";
constexpr const char* kConfirmationFound = "the page shows the directory's confirmation text";
constexpr const char* kConfirmationMissing = "the page does not show the directory's confirmation text";
constexpr const char* kUnreadable = "the page could not be read";
constexpr const char* kNoDirectory = "the page belongs to no directory";

// The directory's confirmation text in the answer: in the source of a page, in
// the texts of a message (the source of the form's page held them before they showed).
std::optional<bool> showsConfirmation(const PageAnswer& answer, const std::string& confirmation)
{
    if (answer.message) {
        return std::any_of(answer.answer.texts.begin(), answer.answer.texts.end(),
            [&](const AnswerText& text) { return text.text.find(confirmation) != std::string::npos; });
    }
    if (!answer.source)
        return std::nullopt;
    return answer.source->find(confirmation) != std::string::npos;
}

std::optional<ElementHandle> lookup(
    const IFormDocument& document, ElementCollection collection, const DirectoryItem& item)
{
    if (item.index < 0)
        return std::nullopt;
    return document.itemByName(collection, item.name, static_cast<std::size_t>(item.index));
}

// Fills one form item into the page. The item is looked up among all elements
// first; a text area found there ends it, anything else is looked up again
// among the text areas, then among the inputs. Its value is expanded once, when
// an element is first found, so one item draws one title however often it writes.
class ItemFill {
public:
    ItemFill(IFormDocument& document, const DirectoryItem& item, const PlaceholderExpander& expander,
        const SiteProfile& profile, TabFillState& tab, std::optional<FormHandle>& form, bool passwords)
        : m_document(document)
        , m_item(item)
        , m_expander(expander)
        , m_profile(profile)
        , m_tab(tab)
        , m_form(form)
        , m_passwords(passwords)
    {
    }

    void run()
    {
        if (fillFirstFound())
            return;
        if (const auto area = lookup(m_document, ElementCollection::TextAreas, m_item)) {
            if (m_item.type == ControlType::ReciprocalText)
                readCode(*area);
            else
                writeText(*area);
        } else if (const auto input = lookup(m_document, ElementCollection::Inputs, m_item)) {
            fillInput(*input, true);
        }
    }

private:
    // The lookup among all elements; true when it filled a text area.
    bool fillFirstFound()
    {
        const std::optional<ElementHandle> element = lookup(m_document, ElementCollection::All, m_item);
        if (!element)
            return false;
        expanded();
        switch (m_document.type(*element)) {
        case ElementType::Input:
            fillInput(*element, false);
            return false;
        case ElementType::TextArea:
            if (m_item.type != ControlType::Edit)
                return false;
            writeText(*element);
            return true;
        default:
            return false;
        }
    }

    void fillInput(ElementHandle input, bool readsCode)
    {
        switch (m_item.type) {
        case ControlType::Checkbox:
            m_document.setChecked(input, expanded() == kChecked);
            break;
        case ControlType::Edit:
            writeText(input);
            break;
        case ControlType::ReciprocalText:
            if (readsCode)
                readCode(input);
            break;
        default:
            break;
        }
    }

    void writeText(ElementHandle element)
    {
        if (!writeValue(element))
            return;
        if (const std::optional<FormHandle> form = m_document.formOf(element))
            m_form = form;
    }

    // Writes the value, as a password where the item's template holds one; false
    // when it was kept out of the element.
    bool writeValue(ElementHandle element)
    {
        const bool password =
            m_item.value.find(kPasswordToken) != std::string::npos && !m_profile.password.empty();
        if (!password) {
            m_document.setValue(element, expanded());
            return true;
        }
        if (m_passwords && m_document.setPassword(element, expanded())) {
            m_tab.notePasswords(PasswordFill::Filled);
            return true;
        }
        m_tab.notePasswords(PasswordFill::Withheld);
        return false;
    }

    void readCode(ElementHandle element)
    {
        m_tab.reciprocalCode = m_document.value(element);
        m_tab.reciprocalCodeFound = true;
    }

    const std::string& expanded()
    {
        if (!m_expanded) {
            m_value = m_expander.expand(m_item.value, m_profile, m_tab.picks);
            m_expanded = true;
        }
        return m_value;
    }

    IFormDocument& m_document;
    const DirectoryItem& m_item;
    const PlaceholderExpander& m_expander;
    const SiteProfile& m_profile;
    TabFillState& m_tab;
    std::optional<FormHandle>& m_form;
    const bool m_passwords;
    std::string m_value;
    bool m_expanded = false;
};

} // namespace

PageFiller::PageFiller(const DirectoryStore& directories, const SendingProfile::ProfileStore& profiles,
    IRandomSource& random, const IClock& clock, IMessageBox& messages, IClipboard& clipboard)
    : m_directories(directories)
    , m_profiles(profiles)
    , m_random(random)
    , m_expander(random)
    , m_clock(clock)
    , m_messages(messages)
    , m_clipboard(clipboard)
{
}

void PageFiller::setAccounts(SendingProfile::DirectoryAccounts* accounts, IRandomSource* passwordRandom)
{
    m_accounts = accounts;
    m_passwordRandom = passwordRandom;
}

void PageFiller::fillPage(IFormDocument& document, const SiteProfile& profile, TabFillState& tab) const
{
    fillItems(document, profile, tab, takesPasswords(document, tab));
}

void PageFiller::fillItems(
    IFormDocument& document, const SiteProfile& profile, TabFillState& tab, bool passwords) const
{
    const std::vector<DirectoryItem> items = itemList(tab.directoryName);
    tab.picks.clear();
    SiteProfile filledFrom = profile;
    filledFrom.password = directoryPassword(profile, tab);
    std::optional<FormHandle> form;
    for (const DirectoryItem& item : items) {
        if (item.type == ControlType::Select || item.type == ControlType::Reciprocal)
            continue;
        // The reciprocal page does not exist before the script has placed the link.
        if (profile.reciprocalMethod == SendingProfile::kReciprocalAutomatic
            && item.value == kReciprocalToken)
            continue;
        ItemFill(document, item, m_expander, filledFrom, tab, form, passwords).run();
    }
    // Submitting the form written into last counts as the submission; a fill
    // that wrote into no form leaves an earlier fill's watch in place.
    if (form)
        tab.formWatched = true;
}

int PageFiller::fillRecognised(FormDocumentModel& page, const FieldRecognizer& recognizer,
    const SiteProfile& profile, TabFillState& tab, bool onOwnSite) const
{
    return fillRecognisedFields(page, recognizer, profile, tab, onOwnSite, takesPasswords(page, tab));
}

int PageFiller::fillRecognisedFields(FormDocumentModel& page, const FieldRecognizer& recognizer,
    const SiteProfile& profile, TabFillState& tab, bool onOwnSite, bool passwords) const
{
    // A field whose name a form item uses belongs to the form description, even
    // where the item wrote nothing or chose another field of that name.
    std::set<ElementHandle> named;
    for (const DirectoryItem& item : itemList(tab.directoryName)) {
        for (std::size_t index = 0;; ++index) {
            const std::optional<ElementHandle> element =
                page.itemByName(ElementCollection::All, item.name, index);
            if (!element)
                break;
            named.insert(*element);
        }
    }
    int filled = RecognisedFieldFill(recognizer, m_random).fill(page, named, profile, tab, onOwnSite);
    if (passwords && m_accounts && m_passwordRandom)
        filled += AccountFill(recognizer, *m_accounts, *m_passwordRandom).fill(page, profile, tab);
    return filled;
}

int PageFiller::fillLateFields(FormDocumentModel& page, const FieldRecognizer* recognizer,
    const SiteProfile& profile, TabFillState& tab, bool onOwnSite) const
{
    if (page.holdEarlierFields() == 0)
        return 0;
    const PickSlots earlierPicks = tab.picks;
    const CategoryPosition earlierCategory = tab.category;
    fillItems(page, profile, tab, false);
    fillCategory(page, profile, tab);
    // The page shows what the first fill drew; a list drawn only now is kept.
    const auto keep = [](std::string& now, const std::string& before) {
        if (!before.empty())
            now = before;
    };
    keep(tab.picks.title, earlierPicks.title);
    keep(tab.picks.description, earlierPicks.description);
    keep(tab.picks.keywords, earlierPicks.keywords);
    if (recognizer)
        fillRecognisedFields(page, *recognizer, profile, tab, onOwnSite, false);
    std::set<ElementHandle> written;
    bool chose = false;
    for (const FormWrite& write : page.writes()) {
        written.insert(write.element);
        chose = chose || write.kind == FormWriteKind::SelectedIndex;
    }
    if (!chose)
        tab.category = earlierCategory;
    return static_cast<int>(written.size());
}

bool PageFiller::fillsAutomatically(const TabFillState& tab, std::string_view pageUrl) const
{
    const DirectoryRecord* directory = m_directories.find(tab.directoryName);
    return directory && sameSite(directory->submitUrl, pageUrl);
}

void PageFiller::fillCategory(IFormDocument& document, const SiteProfile& profile, TabFillState& tab) const
{
    const std::vector<DirectoryItem> items = itemList(tab.directoryName);
    const std::vector<std::string> categories = categoryWords(profile.categories);
    const std::vector<std::string> subcategories = subcategoryWords(profile.subcategories);
    if (subcategories.empty())
        return;
    for (const DirectoryItem& item : items) {
        if (item.type != ControlType::Select)
            continue;
        const std::optional<ElementHandle> select = lookup(document, ElementCollection::All, item);
        if (select && document.type(*select) == ElementType::Select)
            chooseCategoryOption(document, *select, categories, subcategories, tab.category);
    }
}

bool PageFiller::readReciprocalCode(const IFormDocument& document, TabFillState& tab) const
{
    tab.reciprocalCodeFound = false;
    tab.reciprocalCode = kNoReciprocalCode;
    // The fill takes a text area of the name first, then an input; the last item found counts.
    for (const DirectoryItem& item : itemList(tab.directoryName)) {
        if (item.type != ControlType::ReciprocalText)
            continue;
        std::optional<ElementHandle> field = lookup(document, ElementCollection::TextAreas, item);
        if (!field)
            field = lookup(document, ElementCollection::Inputs, item);
        if (field) {
            tab.reciprocalCode = document.value(*field);
            tab.reciprocalCodeFound = true;
        }
    }
    return tab.reciprocalCodeFound;
}

int PageFiller::fillReciprocalUrl(
    IFormDocument& document, const TabFillState& tab, const std::string& url) const
{
    int filled = 0;
    for (const DirectoryItem& item : itemList(tab.directoryName)) {
        if (item.type != ControlType::Reciprocal)
            continue;
        const std::optional<ElementHandle> input = lookup(document, ElementCollection::Inputs, item);
        if (input && document.type(*input) == ElementType::Input) {
            document.setValue(*input, url);
            ++filled;
        }
    }
    if (filled == 0) {
        // On the clipboard before the message says it is there.
        m_clipboard.setText(url);
        m_messages.show(kNoReciprocalField, kVanteloCaption, MessageIcon::Warning);
    }
    return filled;
}

SubmissionCheck PageFiller::checkSubmission(
    const PageAnswer& answer, const SiteProfile& profile, const TabFillState& tab) const
{
    using Outcome = SubmissionVerdict::Outcome;
    SubmissionCheck check;
    // A page that is no directory's (or one that left the database) has nothing to record.
    const DirectoryRecord* directory = m_directories.find(tab.directoryName);
    if (!directory) {
        check.verdict = { Outcome::Undecided, {}, kNoDirectory };
        return check;
    }
    if (!directory->onSubmit.empty()) {
        const std::optional<bool> shown = showsConfirmation(answer, directory->onSubmit);
        if (!shown) {
            m_messages.show(kNoPageSource, kVanteloCaption, MessageIcon::Warning);
            check.verdict = { Outcome::Undecided, {}, kUnreadable };
            return check;
        }
        check.verdict = *shown
            ? SubmissionVerdict { Outcome::Success, directory->onSubmit, kConfirmationFound }
            : SubmissionVerdict { Outcome::Undecided, {}, kConfirmationMissing };
    } else if (!answer.message && answer.token.empty() && !answer.source) {
        check.verdict = { Outcome::Undecided, {}, kUnreadable };
    } else {
        check.verdict = SubmissionJudge::shipped().judge(answer.answer, tab.submittedForm);
    }
    if (check.verdict.outcome != Outcome::Success)
        return check;

    SubmissionOutcome& outcome = check.outcome.emplace();
    outcome.date = SendingProfile::submissionDate(m_clock);
    if (!m_profiles.IsSubmitted(profile.name, directory->name, directory->submitUrl)) {
        outcome.newEntry = SubmissionEntry { directory->name, directory->submitUrl, tab.picks.title,
            tab.picks.description, tab.picks.keywords, outcome.date };
    }
    std::uint32_t ownColor = 0;
    if (!m_profiles.GetCustomColor(profile.name, directory->name, ownColor))
        outcome.rowColor = kSentRowColor;
    return check;
}

std::optional<SubmissionOutcome> PageFiller::checkSubmissionResult(
    const IFormDocument& document, const SiteProfile& profile, const TabFillState& tab) const
{
    PageAnswer answer;
    answer.source = document.source();
    return checkSubmission(answer, profile, tab).outcome;
}

std::optional<SubmissionOutcome> PageFiller::handleCompletedLoad(
    IFormDocument& document, const SiteProfile& profile, TabFillState& tab, bool submitted) const
{
    std::optional<SubmissionOutcome> outcome;
    if (submitted)
        outcome = checkSubmissionResult(document, profile, tab);
    fillPage(document, profile, tab);
    fillCategory(document, profile, tab);
    return outcome;
}

void PageFiller::keepNewAccount(const SiteProfile& profile, TabFillState& tab) const
{
    if (!tab.newAccount || !m_accounts)
        return;
    const SendingProfile::DirectoryAccount account = *tab.newAccount;
    tab.newAccount.reset();
    if (const std::optional<std::string> error = m_accounts->save(profile.name, account))
        m_messages.show("Vantelo could not keep the new password of your account at " + account.directory
                + " in " + m_accounts->secrets().location() + " (" + *error
                + "). Note it down before you go on: " + account.password,
            kVanteloCaption, MessageIcon::Warning);
}

bool PageFiller::takesPasswords(const IFormDocument& document, const TabFillState& tab) const
{
    const DirectoryRecord* directory = m_directories.find(tab.directoryName);
    return directory && sameSite(directory->submitUrl, document.address());
}

std::string PageFiller::directoryPassword(const SiteProfile& profile, const TabFillState& tab) const
{
    if (!m_accounts)
        return profile.password;
    const std::optional<SendingProfile::DirectoryAccount> account =
        m_accounts->find(profile.name, tab.directoryName);
    return account ? SendingProfile::DirectoryAccounts::passwordOf(*account, profile) : profile.password;
}

std::vector<DirectoryItem> PageFiller::itemList(const std::string& directory) const
{
    std::vector<DirectoryItem> items;
    m_directories.GetItems(directory, items);
    std::vector<DirectoryItem> general;
    m_directories.GetItems(kGeneralDirectory, general);
    items.insert(items.end(), general.begin(), general.end());
    return items;
}

std::string sentRowText(std::string_view rowText)
{
    return std::string(rowText.substr(0, rowText.find(kRowSuffixStart))) + kSentRowSuffix;
}
