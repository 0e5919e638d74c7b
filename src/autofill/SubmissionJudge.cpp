#include "autofill/SubmissionJudge.h"

#include "autofill/FormText.h"
#include "autofill/FormWords.h"
#include "common/TrimmedText.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace {

// Positions of the judge's sections in its matcher.
constexpr std::size_t kSuccessSection = 0;
constexpr std::size_t kFailureSection = 1;
// An ordinary sentence longer than this is prose (terms, a description), not a
// message; messages and headings count at any length.
constexpr std::size_t kLongestTextSentence = 300;
// The sentence quoted as evidence is cut here.
constexpr std::size_t kLongestEvidence = 200;

// Cut at a character boundary of UTF-8, with an ellipsis to say so.
std::string quoted(const std::string& sentence)
{
    if (sentence.size() <= kLongestEvidence)
        return sentence;
    std::size_t end = kLongestEvidence;
    while (end > 0 && (static_cast<unsigned char>(sentence[end]) & 0xC0) == 0x80)
        --end;
    return sentence.substr(0, end) + "\xE2\x80\xA6";
}

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty())
            text += ' ';
        text += word;
    }
    return text;
}

std::size_t tierOf(AnswerTextKind kind)
{
    switch (kind) {
    case AnswerTextKind::Message:
        return 0;
    case AnswerTextKind::Heading:
        return 1;
    case AnswerTextKind::Text:
        break;
    }
    return 2;
}

// Whether a form of the page holds again what was submitted: at least half of
// the submitted text fields, and at least two where two or more were filled,
// by name and value.
bool formShownAgain(const std::vector<AnswerField>& shown, const std::vector<AnswerField>& submitted)
{
    std::vector<std::pair<std::string, std::string>> wanted;
    for (const AnswerField& field : submitted) {
        std::string value(trimmed(field.value));
        if (!field.name.empty() && !value.empty())
            wanted.emplace_back(field.name, std::move(value));
    }
    if (wanted.empty())
        return false;
    const std::size_t needed =
        std::max<std::size_t>(std::min<std::size_t>(2, wanted.size()), (wanted.size() + 1) / 2);
    std::map<int, std::size_t> kept; // per form of the page
    for (const auto& [name, value] : wanted) {
        std::set<int> forms;
        for (const AnswerField& field : shown) {
            if (field.name == name && trimmed(field.value) == value)
                forms.insert(field.form);
        }
        for (const int form : forms) {
            if (++kept[form] >= needed)
                return true;
        }
    }
    return false;
}

} // namespace

SubmissionJudge::SubmissionJudge(const FormWords& words)
    : m_phrases(words, { "outcome.success", "outcome.failure" })
{
}

const SubmissionJudge& SubmissionJudge::shipped()
{
    static const SubmissionJudge judge(FormWords::shipped());
    return judge;
}

SubmissionVerdict SubmissionJudge::judge(const SubmissionAnswer& answer, const SubmittedForm& submitted) const
{
    std::set<std::string> known;
    for (const std::string& text : submitted.pageTexts) {
        for (const std::string& sentence : answerSentences(text))
            known.insert(normalisedText(sentence));
    }
    // Per tier (messages, headings, other text) the first sentence of each kind.
    struct Finding {
        std::string success;
        std::string failure;
    };
    std::array<Finding, 3> tiers;
    std::vector<PhraseMatcher::Match> found;
    for (const AnswerText& text : answer.texts) {
        Finding& tier = tiers[tierOf(text.kind)];
        for (const std::string& sentence : answerSentences(text.text)) {
            if (text.kind == AnswerTextKind::Text && sentence.size() > kLongestTextSentence)
                continue;
            const std::vector<std::string> words = textWords(sentence);
            if (words.empty() || known.count(joined(words)))
                continue;
            found.clear();
            m_phrases.find(words, found);
            for (const PhraseMatcher::Match& match : found) {
                std::string& first = match.section == kFailureSection ? tier.failure : tier.success;
                if (first.empty())
                    first = sentence;
            }
        }
    }

    if (formShownAgain(answer.fields, submitted.fields)) {
        for (const Finding& tier : tiers) {
            if (!tier.failure.empty())
                return { SubmissionVerdict::Outcome::Failure, quoted(tier.failure), kFailedReason };
        }
        return { SubmissionVerdict::Outcome::Failure, {}, kFormAgainReason };
    }
    for (const Finding& tier : tiers) {
        if (!tier.failure.empty())
            return { SubmissionVerdict::Outcome::Failure, quoted(tier.failure), kFailedReason };
        if (!tier.success.empty())
            return { SubmissionVerdict::Outcome::Success, quoted(tier.success), kSucceededReason };
    }
    return { SubmissionVerdict::Outcome::Undecided, {}, kUndecidedReason };
}

std::vector<std::string> answerSentences(const std::string& text)
{
    std::vector<std::string> sentences;
    std::size_t start = 0;
    const auto cut = [&](std::size_t end) {
        std::string sentence(trimmed(std::string_view(text).substr(start, end - start)));
        if (!sentence.empty())
            sentences.push_back(std::move(sentence));
        start = end;
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\n' || c == '\r') {
            cut(at);
        } else if ((c == '.' || c == '!' || c == '?')
            && (at + 1 == text.size() || kAsciiBlanks.find(text[at + 1]) != std::string_view::npos)) {
            cut(at + 1);
        }
    }
    cut(text.size());
    return sentences;
}
