#include "autofill/SubmissionLinkScorer.h"

#include "autofill/FormWords.h"

#include <algorithm>

namespace {

// The sections each matcher looks for, in this order.
constexpr std::size_t kSubmissionSection = 0;
constexpr std::size_t kDecoySection = 1;

// How much a phrase weighs by where it stands; a strong phrase counts twice.
constexpr int kTextWeight = 10;
constexpr int kAltWeight = 8;
constexpr int kTitleWeight = 6;
constexpr int kPathWeight = 6;
constexpr int kImageFileWeight = 3;
// A frame of the page is part of what the page shows.
constexpr int kFrameBonus = 5;
// Texts longer than this are a paragraph, not a link's words.
constexpr std::size_t kMaxTextBytes = 256;

std::string_view capped(std::string_view text)
{
    return text.substr(0, kMaxTextBytes);
}

// The file name of an image address, without its folders.
std::string_view fileName(std::string_view address)
{
    address = address.substr(0, address.find_first_of("?#"));
    const std::size_t slash = address.find_last_of('/');
    return slash == std::string_view::npos ? address : address.substr(slash + 1);
}

} // namespace

SubmissionLinkScorer::SubmissionLinkScorer(const FormWords& words)
    : m_text(words, { "discovery.link", "discovery.decoy" })
    , m_path(words, { "discovery.path", "discovery.decoy" })
{
}

const SubmissionLinkScorer& SubmissionLinkScorer::shipped()
{
    static const SubmissionLinkScorer scorer(FormWords::shipped());
    return scorer;
}

int SubmissionLinkScorer::score(const PageLink& link, std::string_view path) const
{
    const struct {
        std::string_view text;
        int weight;
    } texts[] = {
        { link.text, kTextWeight },
        { link.imageAlt, kAltWeight },
        { link.title, kTitleWeight },
    };
    int textScore = 0;
    bool decoy = false;
    for (const auto& source : texts) {
        if (source.text.empty())
            continue;
        const Reading reading = read(m_text, capped(source.text), TextKind::Prose, false);
        decoy = decoy || reading.decoy;
        if (reading.letters > 0) {
            const int weight = source.weight * (reading.weak ? 1 : 2) + static_cast<int>(reading.letters);
            textScore = std::max(textScore, weight);
        }
    }
    // A text that says "support ticket" is not outweighed by an address that says "submit".
    if (decoy && textScore == 0)
        return 0;

    // A decoy anywhere in the path proper says where the link goes
    // ("/login.php?return=/submit.php"); the query only adds what it says.
    int pathScore = 0;
    const std::size_t question = path.find('?');
    const std::string_view proper = capped(path.substr(0, question));
    const std::string_view query =
        question == std::string_view::npos ? std::string_view() : capped(path.substr(question + 1));
    Reading address = read(m_path, proper, TextKind::Identifier, true);
    if (address.decoy && textScore == 0)
        return 0;
    if (!address.decoy && address.letters == 0 && !query.empty())
        address = read(m_path, query, TextKind::Identifier, false);
    if (address.decoy && textScore == 0)
        return 0;
    if (address.letters > 0 && !address.decoy)
        pathScore = kPathWeight * (address.weak ? 1 : 2) + static_cast<int>(address.letters) / 2;
    if (!link.imageSource.empty()) {
        const Reading image = read(m_path, capped(fileName(link.imageSource)), TextKind::Identifier, false);
        if (image.letters > 0 && !image.decoy)
            pathScore = std::max(pathScore, kImageFileWeight * 2 + static_cast<int>(image.letters) / 2);
    }
    const int score = textScore + pathScore;
    return score > 0 && link.frame ? score + kFrameBonus : score;
}

SubmissionLinkScorer::Reading SubmissionLinkScorer::read(
    const PhraseMatcher& matcher, std::string_view text, TextKind kind, bool anyDecoy) const
{
    std::size_t submission = 0;
    bool strong = false;
    std::size_t decoy = 0;
    for (const PhraseMatcher::Match& match : matcher.find(text, kind)) {
        if (match.section == kDecoySection) {
            decoy = std::max(decoy, match.letters);
        } else if (match.section == kSubmissionSection) {
            // A strong phrase wins over a weak one; among equals the longer.
            if ((!match.weak && !strong) || ((!match.weak) == strong && match.letters > submission)) {
                submission = match.letters;
                strong = !match.weak;
            }
        }
    }
    Reading reading;
    if (decoy > 0 && (anyDecoy || decoy >= submission)) {
        reading.decoy = true;
        return reading;
    }
    reading.letters = submission;
    reading.weak = !strong;
    return reading;
}
