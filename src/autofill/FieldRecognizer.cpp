#include "autofill/FieldRecognizer.h"

#include "autofill/FormText.h"
#include "autofill/FormWords.h"
#include "common/TextCase.h"
#include "common/TrimmedText.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

namespace {

// The word sections that give a field its meaning.
struct MeaningSection {
    const char* section;
    FieldMeaning meaning;
};
constexpr MeaningSection kMeaningSections[] = {
    { "field.title", FieldMeaning::SiteTitle },
    { "field.url", FieldMeaning::SiteUrl },
    { "field.description", FieldMeaning::Description },
    { "field.keywords", FieldMeaning::Keywords },
    { "field.email", FieldMeaning::Email },
    { "field.fullname", FieldMeaning::FullName },
    { "field.firstname", FieldMeaning::FirstName },
    { "field.lastname", FieldMeaning::LastName },
    { "field.username", FieldMeaning::UserName },
    { "field.password", FieldMeaning::Password },
    { "field.address", FieldMeaning::StreetAddress },
    { "field.city", FieldMeaning::City },
    { "field.zip", FieldMeaning::PostalCode },
    { "field.province", FieldMeaning::Province },
    { "field.reciprocal", FieldMeaning::ReciprocalUrl },
    { "field.category", FieldMeaning::Category },
    { "field.agreement", FieldMeaning::Agreement },
    { "field.tagline", FieldMeaning::Tagline },
    { "field.company", FieldMeaning::Company },
    { "field.phone", FieldMeaning::Phone },
    { "field.country", FieldMeaning::Country },
    { "field.logo", FieldMeaning::Logo },
    { "field.screenshot", FieldMeaning::Screenshot },
    { "field.twitter", FieldMeaning::Twitter },
    { "field.linkedin", FieldMeaning::LinkedIn },
    { "field.github", FieldMeaning::GitHub },
    { "field.facebook", FieldMeaning::Facebook },
    { "field.pricing", FieldMeaning::Pricing },
    { "field.founded", FieldMeaning::Founded },
    { "field.tags", FieldMeaning::Tags },
    { "leave.captcha", FieldMeaning::Captcha },
    { "leave.honeypot", FieldMeaning::Honeypot },
    { "leave.other", FieldMeaning::Unknown },
    { "leave.extra", FieldMeaning::ExtraOption },
};
constexpr std::size_t kMeaningSectionCount = std::size(kMeaningSections);
// Marks on a field, after the meaning sections.
constexpr std::size_t kConfirmSection = kMeaningSectionCount;
constexpr std::size_t kNoHttpSection = kMeaningSectionCount + 1;
constexpr std::size_t kHandleSection = kMeaningSectionCount + 2;
constexpr std::size_t kProductSection = kMeaningSectionCount + 3;
constexpr std::size_t kBusinessSection = kMeaningSectionCount + 4;

// The word sections that tell what a form is for.
enum FormSection : std::size_t {
    kLoginWords,
    kRegisterWords,
    kSearchWords,
    kNewsletterWords,
    kCommentWords,
    kPaymentWords,
    kSubmissionWords,
    kFormSectionCount,
};

constexpr std::size_t kMeaningCount = static_cast<std::size_t>(FieldMeaning::OtherForm) + 1;

// How much a text weighs by where it comes from; a strong phrase counts twice.
constexpr int kAutocompleteWeight = 10;
constexpr int kLabelWeight = 8;
constexpr int kAriaWeight = 8;
constexpr int kPrecedingWeight = 6;
constexpr int kPlaceholderWeight = 5;
constexpr int kTitleWeight = 4;
constexpr int kNameWeight = 3;
constexpr int kIdWeight = 2;
// What an input's type alone says.
constexpr int kTypeWeight = 6;

// Pages are described with caps of their own; these keep a hand-made page description bounded too.
constexpr std::size_t kMaxFields = 5000;
constexpr std::size_t kMaxCueBytes = 512;
// A form with no more text fields than this may be a login, search or newsletter form.
constexpr int kSmallForm = 2;
// How many words from a bare "name" the word naming its owner may stand: "Nom de l'entreprise".
constexpr std::size_t kQualifierReach = 3;

std::vector<std::string> fieldSections()
{
    std::vector<std::string> sections;
    for (const MeaningSection& entry : kMeaningSections)
        sections.emplace_back(entry.section);
    for (const char* hint : { "hint.confirm", "hint.nohttp", "hint.handle", "hint.product", "hint.business" })
        sections.emplace_back(hint);
    return sections;
}

std::vector<std::string> formSections()
{
    return { "form.login", "form.register", "form.search", "form.newsletter", "form.comment", "form.payment",
        "form.submission" };
}

// What a person does with a field.
enum class Control {
    None, // a button, a file input and the like: never filled
    Text, // types text: text inputs of every kind, text areas
    Password, // types a secret
    Choice, // chooses an option of a drop-down
    Box, // ticks a check box
    Radio, // picks one of several: only a pricing model is picked
    File, // uploads a file
};

Control controlOf(const FormField& field)
{
    const std::string tag = lowerAscii(field.tag);
    if (tag == "textarea")
        return Control::Text;
    if (tag == "select")
        return Control::Choice;
    if (tag != "input")
        return Control::None;
    const std::string type = lowerAscii(field.type);
    if (type.empty() || type == "text" || type == "email" || type == "url" || type == "tel"
        || type == "search" || type == "number")
        return Control::Text;
    if (type == "password")
        return Control::Password;
    if (type == "checkbox")
        return Control::Box;
    if (type == "radio")
        return Control::Radio;
    if (type == "file")
        return Control::File;
    return Control::None;
}

bool asksForFile(FieldMeaning meaning)
{
    return meaning == FieldMeaning::Logo || meaning == FieldMeaning::Screenshot;
}

bool isSocial(FieldMeaning meaning)
{
    return meaning == FieldMeaning::Twitter || meaning == FieldMeaning::LinkedIn
        || meaning == FieldMeaning::GitHub || meaning == FieldMeaning::Facebook;
}

// Meanings that a social network named in the same text takes over: "Twitter
// username" is the Twitter profile, not the user name to register with.
bool yieldsToSocial(FieldMeaning meaning)
{
    return meaning == FieldMeaning::UserName || meaning == FieldMeaning::FullName
        || meaning == FieldMeaning::SiteUrl;
}

bool fitsControl(FieldMeaning meaning, Control control)
{
    switch (control) {
    case Control::Text:
        return meaning != FieldMeaning::Category && meaning != FieldMeaning::Agreement
            && meaning != FieldMeaning::ExtraOption && !asksForFile(meaning);
    case Control::Password:
        return meaning == FieldMeaning::Password || meaning == FieldMeaning::Captcha
            || meaning == FieldMeaning::Honeypot;
    case Control::Choice:
        return meaning == FieldMeaning::Category || meaning == FieldMeaning::Province
            || meaning == FieldMeaning::Country || meaning == FieldMeaning::Pricing
            || meaning == FieldMeaning::Founded || meaning == FieldMeaning::ExtraOption
            || meaning == FieldMeaning::Unknown;
    case Control::Box:
        return meaning == FieldMeaning::Agreement || meaning == FieldMeaning::ExtraOption
            || meaning == FieldMeaning::Unknown;
    case Control::Radio:
        return meaning == FieldMeaning::Pricing || meaning == FieldMeaning::ExtraOption
            || meaning == FieldMeaning::Unknown;
    case Control::File:
        return asksForFile(meaning) || meaning == FieldMeaning::Unknown;
    case Control::None:
        break;
    }
    return false;
}

// Meanings that win over every other in the text that names them: a field that
// says it is a captcha, a trap or a paid option is never filled.
bool overrules(FieldMeaning meaning)
{
    return meaning == FieldMeaning::Captcha || meaning == FieldMeaning::Honeypot
        || meaning == FieldMeaning::ExtraOption;
}

// The meaning of an autocomplete attribute: its last token names the field.
std::optional<FieldMeaning> autocompleteMeaning(std::string_view attribute, bool& payment)
{
    std::string token = lowerAscii(attribute);
    const std::size_t space = token.find_last_of(" \t\n");
    if (space != std::string::npos)
        token.erase(0, space + 1);
    static const std::map<std::string, FieldMeaning, std::less<>> meanings = {
        { "name", FieldMeaning::FullName },
        { "organization", FieldMeaning::Company },
        { "organization-title", FieldMeaning::Unknown },
        { "given-name", FieldMeaning::FirstName },
        { "family-name", FieldMeaning::LastName },
        { "additional-name", FieldMeaning::Unknown },
        { "nickname", FieldMeaning::UserName },
        { "username", FieldMeaning::UserName },
        { "email", FieldMeaning::Email },
        { "new-password", FieldMeaning::Password },
        { "current-password", FieldMeaning::Password },
        { "url", FieldMeaning::SiteUrl },
        { "street-address", FieldMeaning::StreetAddress },
        { "address-line1", FieldMeaning::StreetAddress },
        { "address-line2", FieldMeaning::Unknown },
        { "address-line3", FieldMeaning::Unknown },
        { "address-level2", FieldMeaning::City },
        { "address-level1", FieldMeaning::Province },
        { "postal-code", FieldMeaning::PostalCode },
        { "country", FieldMeaning::Country },
        { "country-name", FieldMeaning::Country },
        { "one-time-code", FieldMeaning::Captcha },
    };
    if (token.starts_with("cc-")) {
        payment = true;
        return FieldMeaning::Unknown;
    }
    if (token.starts_with("tel"))
        return FieldMeaning::Phone;
    if (token.starts_with("bday") || token == "sex")
        return FieldMeaning::Unknown;
    const auto found = meanings.find(token);
    return found == meanings.end() ? std::nullopt : std::optional(found->second);
}

std::optional<FieldMeaning> typeMeaning(std::string_view type)
{
    const std::string lower = lowerAscii(type);
    if (lower == "email")
        return FieldMeaning::Email;
    if (lower == "url")
        return FieldMeaning::SiteUrl;
    if (lower == "tel")
        return FieldMeaning::Phone;
    if (lower == "password")
        return FieldMeaning::Password;
    return std::nullopt;
}

// "What is 3 + 4?", "5 x 2 =": the security questions that ask for a sum.
bool asksForArithmetic(std::string_view text)
{
    if (text.find_first_of("?=") == std::string_view::npos)
        return false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            continue;
        std::size_t next = at;
        while (next < text.size() && text[next] >= '0' && text[next] <= '9')
            ++next;
        while (next < text.size() && text[next] == ' ')
            ++next;
        if (next >= text.size() || std::string_view("+-*x/").find(text[next]) == std::string_view::npos)
            continue;
        ++next;
        while (next < text.size() && text[next] == ' ')
            ++next;
        if (next < text.size() && text[next] >= '0' && text[next] <= '9')
            return true;
    }
    return false;
}

std::string_view capped(std::string_view text)
{
    return text.substr(0, kMaxCueBytes);
}

bool submissionEvidence(FieldMeaning meaning)
{
    return meaning == FieldMeaning::SiteTitle || meaning == FieldMeaning::Description
        || meaning == FieldMeaning::Category || meaning == FieldMeaning::ReciprocalUrl;
}

// "Name" beside "First name" is the family name ("Vorname" and "Name"); beside
// "Last name" it is the given name ("Nome" and "Cognome").
void settleWholeNames(const std::vector<std::size_t>& group, std::vector<FieldRecognition>& fields)
{
    const auto any = [&](FieldMeaning meaning) {
        return std::any_of(
            group.begin(), group.end(), [&](std::size_t at) { return fields[at].meaning == meaning; });
    };
    const bool first = any(FieldMeaning::FirstName);
    const bool last = any(FieldMeaning::LastName);
    if (first == last)
        return;
    for (const std::size_t at : group) {
        if (fields[at].meaning == FieldMeaning::FullName)
            fields[at].meaning = first ? FieldMeaning::LastName : FieldMeaning::FirstName;
    }
}

// What a field means whatever its words say: a field nobody can see, change or
// type into, a trap for robots, a choice among radio buttons. None otherwise.
std::optional<FieldMeaning> meaningBeforeWords(const FormField& field, Control control)
{
    const FieldCues& cues = field.cues;
    if (control == Control::None)
        return lowerAscii(field.type) == "hidden" ? FieldMeaning::Hidden : FieldMeaning::Unknown;
    // Pages hide the file input behind a button of their own; no trap for robots asks for a file.
    if (cues.hidden && control != Control::File)
        return FieldMeaning::Hidden;
    if (cues.disabled || cues.readOnly)
        return FieldMeaning::ReadOnly;
    if (cues.skipsTab && lowerAscii(cues.autocomplete) == "off")
        return FieldMeaning::Honeypot;
    return std::nullopt;
}

// What one text around a field says: the meaning it names and how sure it is,
// the marks it carries, and what overrules every other text.
struct TextReading {
    std::optional<FieldMeaning> meaning;
    bool weak = false;
    std::optional<FieldMeaning> overruling; // a captcha, a trap or a paid option
    bool namesWebAddress = false; // "URL", "Website", "http" anywhere in it
    bool namesPicture = false; // a text field that asks for the address of a logo or picture
    bool confirmation = false;
    bool withoutHttp = false;
    bool handle = false;
};

FieldMeaning meaningOf(const PhraseMatcher::Match& match)
{
    return kMeaningSections[match.section].meaning;
}

// The stronger of two phrases of one text: a weak one yields to any other; in a
// name or id the one that ends last wins ("addressFormMiddleInitial"), in prose
// the longer one ("reciprocal link url" over "url").
bool stronger(const PhraseMatcher::Match& match, const PhraseMatcher::Match* than, TextKind kind)
{
    if (!than)
        return true;
    if (than->weak != match.weak)
        return than->weak;
    if (kind == TextKind::Identifier && match.end() != than->end())
        return match.end() > than->end();
    return match.letters > than->letters;
}

// Whether a longer phrase of another meaning holds the match's words: "price
// model" is a pricing model, whatever "price" alone would mean.
bool heldByLonger(const PhraseMatcher::Match& match, const std::vector<PhraseMatcher::Match>& matches)
{
    return std::any_of(matches.begin(), matches.end(), [&](const PhraseMatcher::Match& other) {
        return other.section < kMeaningSectionCount && other.section != match.section
            && other.letters > match.letters && other.word <= match.word && other.end() >= match.end();
    });
}

bool within(std::size_t word, std::size_t from, std::size_t reach)
{
    return (word >= from ? word - from : from - word) <= reach;
}

// A bare "name" names a person unless the text says whose it is: "Product name",
// "Name des Startups" are the site's title, "Nom de l'entreprise" the company's.
std::optional<FieldMeaning> ownerOfName(
    const PhraseMatcher::Match& name, const std::vector<PhraseMatcher::Match>& matches)
{
    for (const PhraseMatcher::Match& match : matches) {
        if (!within(match.word, name.word, kQualifierReach))
            continue;
        if (match.section == kBusinessSection)
            return FieldMeaning::Company;
        if (match.section == kProductSection)
            return FieldMeaning::SiteTitle;
    }
    return std::nullopt;
}

TextReading readText(const PhraseMatcher& words, std::string_view text, TextKind kind, Control control)
{
    TextReading reading;
    std::vector<PhraseMatcher::Match> matches;
    words.find(textWords(text, kind), matches);
    const PhraseMatcher::Match* best = nullptr;
    const PhraseMatcher::Match* social = nullptr;
    for (const PhraseMatcher::Match& match : matches) {
        switch (match.section) {
        case kConfirmSection:
            reading.confirmation = true;
            continue;
        case kNoHttpSection:
            reading.withoutHttp = true;
            continue;
        case kHandleSection:
            reading.handle = true;
            continue;
        case kProductSection:
        case kBusinessSection:
            continue;
        default:
            break;
        }
        const FieldMeaning meaning = meaningOf(match);
        reading.namesWebAddress = reading.namesWebAddress || meaning == FieldMeaning::SiteUrl;
        if (!fitsControl(meaning, control)) {
            reading.namesPicture = reading.namesPicture || (asksForFile(meaning) && !match.weak);
            continue;
        }
        if (overrules(meaning) && !match.weak && !heldByLonger(match, matches))
            reading.overruling = meaning;
        if (isSocial(meaning) && !match.weak && stronger(match, social, kind))
            social = &match;
        if (stronger(match, best, kind))
            best = &match;
    }
    if (!best)
        return reading;
    reading.meaning = meaningOf(*best);
    reading.weak = best->weak;
    if (social && yieldsToSocial(*reading.meaning)) {
        reading.meaning = meaningOf(*social);
        reading.weak = false;
    } else if (reading.meaning == FieldMeaning::FullName && best->words == 1) {
        if (const std::optional<FieldMeaning> owner = ownerOfName(*best, matches);
            owner && fitsControl(*owner, control))
            reading.meaning = owner;
    }
    // "Adresse (URL)": the web address word says which address is meant.
    if (reading.meaning == FieldMeaning::StreetAddress && reading.namesWebAddress)
        reading.meaning = FieldMeaning::SiteUrl;
    return reading;
}

} // namespace

// What one field says by itself, before its form is known.
struct FieldRecognizer::Candidate {
    Control control = Control::None;
    FieldMeaning meaning = FieldMeaning::Unknown;
    bool confirmation = false;
    bool withoutHttp = false;
    bool handle = false; // asks for a handle rather than an address
    bool payment = false; // asks for card data
};

// The fields of one form, or the fields outside forms of one frame.
struct FieldRecognizer::Group {
    int form = -1;
    std::vector<std::size_t> fields;
};

FieldRecognizer::FieldRecognizer(const FormWords& words)
    : m_fieldWords(words, fieldSections())
    , m_formWords(words, formSections())
{
}

const FieldRecognizer& FieldRecognizer::shipped()
{
    static const FieldRecognizer recognizer(FormWords::shipped());
    return recognizer;
}

PageRecognition FieldRecognizer::recognise(const PageForms& page) const
{
    PageRecognition result;
    result.fields.resize(page.fields.size());
    result.forms.assign(page.forms.size(), FormKind::Submission);
    const std::size_t described = std::min(page.fields.size(), kMaxFields);
    std::vector<Candidate> candidates;
    candidates.reserve(described);
    std::vector<Group> groups;
    std::map<std::pair<int, std::string_view>, std::size_t> groupOf;
    for (std::size_t at = 0; at < described; ++at) {
        const FormField& field = page.fields[at];
        candidates.push_back(candidateOf(field));
        const int form =
            field.form >= 0 && static_cast<std::size_t>(field.form) < page.forms.size() ? field.form : -1;
        // Loose fields group by frame; a form belongs to one frame anyway.
        const auto key =
            std::make_pair(form, form >= 0 ? std::string_view() : std::string_view(field.cues.frame));
        const auto [entry, added] = groupOf.try_emplace(key, groups.size());
        if (added)
            groups.push_back({ form, {} });
        groups[entry->second].fields.push_back(at);
    }

    for (const Group& group : groups) {
        const FormKind kind = kindOf(group, page, candidates);
        if (group.form >= 0)
            result.forms[static_cast<std::size_t>(group.form)] = kind;
        for (const std::size_t at : group.fields) {
            const Candidate& candidate = candidates[at];
            FieldRecognition& field = result.fields[at];
            field.formKind = kind;
            field.meaning = candidate.meaning;
            field.confirmation = candidate.confirmation;
            field.withoutHttp = candidate.withoutHttp && candidate.meaning == FieldMeaning::SiteUrl;
            field.handle = candidate.handle && isSocial(candidate.meaning);
            if (kind != FormKind::Submission && field.meaning != FieldMeaning::Hidden
                && field.meaning != FieldMeaning::ReadOnly)
                field.meaning = FieldMeaning::OtherForm;
        }
        settleWholeNames(group.fields, result.fields);
    }
    return result;
}

FieldRecognizer::Candidate FieldRecognizer::candidateOf(const FormField& field) const
{
    Candidate candidate;
    candidate.control = controlOf(field);
    if (const std::optional<FieldMeaning> meaning = meaningBeforeWords(field, candidate.control))
        candidate.meaning = *meaning;
    else
        readCues(field, candidate);
    return candidate;
}

void FieldRecognizer::readCues(const FormField& field, Candidate& candidate) const
{
    const FieldCues& cues = field.cues;
    std::array<int, kMeaningCount> scores {};
    std::optional<FieldMeaning> overruling;
    const auto vote = [&](FieldMeaning meaning, int weight) {
        if (fitsControl(meaning, candidate.control))
            scores[static_cast<std::size_t>(meaning)] += weight;
    };
    if (const auto meaning = autocompleteMeaning(cues.autocomplete, candidate.payment))
        vote(*meaning, 2 * kAutocompleteWeight);
    if (const auto meaning = typeMeaning(field.type))
        vote(*meaning, kTypeWeight);

    const struct {
        const std::string& text;
        int weight;
        TextKind kind;
    } sources[] = {
        { cues.label, kLabelWeight, TextKind::Prose },
        { cues.ariaLabel, kAriaWeight, TextKind::Prose },
        { cues.preceding, kPrecedingWeight, TextKind::Prose },
        { cues.placeholder, kPlaceholderWeight, TextKind::Prose },
        { cues.title, kTitleWeight, TextKind::Prose },
        { field.name, kNameWeight, TextKind::Identifier },
        { field.id, kIdWeight, TextKind::Identifier },
    };
    bool namesWebAddress = lowerAscii(field.type) == "url";
    bool namesPicture = false;
    for (const auto& source : sources) {
        if (source.text.empty())
            continue;
        const std::string_view text = capped(source.text);
        const TextReading reading = readText(m_fieldWords, text, source.kind, candidate.control);
        candidate.confirmation = candidate.confirmation || reading.confirmation;
        candidate.withoutHttp = candidate.withoutHttp || reading.withoutHttp;
        candidate.handle = candidate.handle || reading.handle;
        namesWebAddress = namesWebAddress || reading.namesWebAddress;
        namesPicture = namesPicture || reading.namesPicture;
        if (reading.overruling)
            overruling = reading.overruling;
        if (reading.meaning)
            vote(*reading.meaning, source.weight * (reading.weak ? 1 : 2));
        if (source.kind == TextKind::Prose && asksForArithmetic(text)
            && fitsControl(FieldMeaning::Captcha, candidate.control))
            overruling = FieldMeaning::Captcha;
    }
    // "@yourname" in the field shows that a handle is wanted.
    candidate.handle = candidate.handle || trimmed(cues.placeholder).starts_with('@');
    if (overruling) {
        candidate.meaning = *overruling;
        return;
    }
    // "Logo URL" asks for a picture's address, which the profile does not hold.
    if (namesPicture) {
        candidate.meaning = FieldMeaning::Unknown;
        return;
    }
    const auto best = std::max_element(scores.begin(), scores.end());
    if (*best > 0)
        candidate.meaning = static_cast<FieldMeaning>(best - scores.begin());
    // A web address named anywhere around the field decides which address it asks for.
    if (candidate.meaning == FieldMeaning::StreetAddress && namesWebAddress)
        candidate.meaning = FieldMeaning::SiteUrl;
}

FormKind FieldRecognizer::kindOf(
    const Group& group, const PageForms& page, const std::vector<Candidate>& candidates) const
{
    int texts = 0;
    int passwords = 0;
    int textAreas = 0;
    int evidence = 0;
    bool searchField = false;
    bool payment = false;
    for (const std::size_t at : group.fields) {
        const Candidate& candidate = candidates[at];
        if (candidate.meaning == FieldMeaning::Hidden || candidate.meaning == FieldMeaning::ReadOnly)
            continue;
        const FormField& field = page.fields[at];
        texts += candidate.control == Control::Text;
        passwords += candidate.control == Control::Password;
        textAreas += lowerAscii(field.tag) == "textarea";
        evidence += submissionEvidence(candidate.meaning);
        searchField = searchField || lowerAscii(field.type) == "search";
        payment = payment || candidate.payment;
    }

    std::vector<std::string> words;
    const auto addWords = [&words](std::string_view text, TextKind kind) {
        for (std::string& word : textWords(capped(text), kind))
            words.push_back(std::move(word));
    };
    if (group.form >= 0) {
        const FormCues& form = page.forms[static_cast<std::size_t>(group.form)];
        addWords(form.action, TextKind::Identifier);
        addWords(form.id, TextKind::Identifier);
        addWords(form.name, TextKind::Identifier);
        addWords(form.className, TextKind::Identifier);
        for (const std::string& text : form.submitTexts)
            addWords(text, TextKind::Prose);
    }
    const bool small = texts <= kSmallForm && textAreas == 0;
    if (small) {
        // A lone field labelled "Search" or named "q" speaks for its form.
        for (const std::size_t at : group.fields) {
            if (candidates[at].control != Control::Text)
                continue;
            const FormField& field = page.fields[at];
            addWords(field.cues.label, TextKind::Prose);
            addWords(field.cues.ariaLabel, TextKind::Prose);
            addWords(field.cues.placeholder, TextKind::Prose);
            addWords(field.name, TextKind::Identifier);
            addWords(field.id, TextKind::Identifier);
        }
    }
    std::vector<PhraseMatcher::Match> matches;
    m_formWords.find(words, matches);
    std::array<bool, kFormSectionCount> says {};
    for (const PhraseMatcher::Match& match : matches)
        says[match.section] = true;

    if ((payment || says[kPaymentWords]) && evidence == 0)
        return FormKind::Payment;
    if ((says[kSearchWords] || searchField) && small && passwords == 0 && evidence == 0)
        return FormKind::Search;
    if (!says[kRegisterWords] && evidence == 0) {
        if (passwords == 1 && texts <= 1)
            return FormKind::Login;
        if (says[kLoginWords] && !says[kSubmissionWords] && small)
            return FormKind::Login;
    }
    if (says[kNewsletterWords] && small && passwords == 0 && evidence == 0)
        return FormKind::Newsletter;
    if (says[kCommentWords] && evidence == 0 && !says[kSubmissionWords])
        return FormKind::Comment;
    return FormKind::Submission;
}
