#include "filling/RecognisedValues.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/FormText.h"
#include "autofill/ValueFitting.h"
#include "common/TrimmedText.h"
#include "filling/MeaningPlaceholder.h"
#include "filling/UploadFile.h"
#include "profiles/CountryNames.h"
#include "profiles/SiteProfile.h"

#include <algorithm>

using SendingProfile::SiteProfile;

namespace {

// The names under which forms offer each pricing model.
struct PricingNames {
    std::string_view model;
    std::vector<std::string> names;
};

const std::vector<PricingNames>& pricingNames()
{
    static const std::vector<PricingNames> names = {
        { "free", { "free", "gratis", "kostenlos", "gratuit", "gratuito" } },
        { "freemium", { "freemium" } },
        { "paid", { "paid", "commercial", "kostenpflichtig", "payant", "de pago", "a pagamento", "pago" } },
        { "open source", { "open source", "opensource", "oss", "free and open source", "foss" } },
    };
    return names;
}

std::optional<std::size_t> limitOf(int maxLength)
{
    return maxLength >= 0 ? std::optional(static_cast<std::size_t>(maxLength)) : std::nullopt;
}

std::optional<std::string> nonEmpty(std::string value)
{
    return value.empty() ? std::nullopt : std::optional(std::move(value));
}

// The text cut to the field at a word, as a person shortens a sentence.
std::string fitted(std::string text, int maxLength)
{
    return maxLength >= 0 ? cutAtWordBoundary(text, static_cast<std::size_t>(maxLength)) : text;
}

const CountryName* countryOf(const std::string& text)
{
    const std::string wanted = normalisedText(text);
    if (wanted.empty())
        return nullptr;
    for (const CountryName& country : countryNames()) {
        if (wanted == normalisedText(country.name) || wanted == normalisedText(country.code)
            || wanted == normalisedText(country.code3))
            return &country;
        for (const std::string_view other : otherCountryNames(country)) {
            if (wanted == normalisedText(other))
                return &country;
        }
    }
    return nullptr;
}

} // namespace

RecognisedValues::RecognisedValues(const SiteProfile& profile, PickSlots& picks, IRandomSource& random)
    : m_profile(profile)
    , m_picks(picks)
    , m_random(random)
    , m_expander(random)
{
}

std::optional<std::string> RecognisedValues::text(const FieldRecognition& field, int maxLength)
{
    switch (field.meaning) {
    case FieldMeaning::SiteTitle:
        return pick(&SiteProfile::titles, &PickSlots::title, "#title#", maxLength);
    case FieldMeaning::Description:
        return pick(&SiteProfile::descriptions, &PickSlots::description, "#desc#", maxLength);
    case FieldMeaning::Keywords:
        return pick(&SiteProfile::keywords, &PickSlots::keywords, "#keywords#", maxLength);
    case FieldMeaning::Tags:
        // A profile without tags still has its keyword lines, which is what tags were asked for before.
        if (m_profile.tags.empty())
            return pick(&SiteProfile::keywords, &PickSlots::keywords, "#keywords#", maxLength);
        return nonEmpty(fitted(expanded("#tags#"), maxLength));
    case FieldMeaning::Tagline:
        return nonEmpty(fitted(expanded("#tagline#"), maxLength));
    case FieldMeaning::Company:
        return nonEmpty(fitted(expanded("#company#"), maxLength));
    default:
        break;
    }
    const std::optional<std::string_view> placeholder = placeholderFor(field.meaning, field.withoutHttp);
    if (!placeholder)
        return std::nullopt;
    // "#fname# #lname#" with one of the names empty leaves a blank behind.
    std::string value(trimmed(expanded(*placeholder), " "));
    return nonEmpty(field.handle ? socialHandle(value) : value);
}

std::vector<std::string> RecognisedValues::choiceNames(FieldMeaning meaning) const
{
    switch (meaning) {
    case FieldMeaning::Province:
        return m_profile.province.empty() ? std::vector<std::string>() : std::vector { m_profile.province };
    case FieldMeaning::Founded:
        return m_profile.founded.empty() ? std::vector<std::string>() : std::vector { m_profile.founded };
    case FieldMeaning::Country: {
        const CountryName* country = countryOf(m_profile.country);
        if (!country)
            return m_profile.country.empty() ? std::vector<std::string>() : std::vector { m_profile.country };
        std::vector<std::string> names { std::string(country->name), std::string(country->code),
            std::string(country->code3) };
        for (const std::string_view other : otherCountryNames(*country))
            names.emplace_back(other);
        return names;
    }
    case FieldMeaning::Pricing:
        for (const PricingNames& model : pricingNames()) {
            if (normalisedText(m_profile.pricing) == model.model)
                return model.names;
        }
        return {};
    default:
        return {};
    }
}

std::optional<std::string> RecognisedValues::file(FieldMeaning meaning)
{
    if (meaning == FieldMeaning::Logo)
        return uploadable(m_profile.logo) ? std::optional(m_profile.logo) : std::nullopt;
    if (meaning != FieldMeaning::Screenshot)
        return std::nullopt;
    while (m_screenshotsGiven < m_profile.screenshots.size()) {
        const std::string& path = m_profile.screenshots[m_screenshotsGiven++];
        if (uploadable(path))
            return path;
    }
    return std::nullopt;
}

// Each alternative is what "#desc#" (or its list's token) would give with it; the
// one that fits is chosen among those, and the slot keeps the alternative as a
// template's pick keeps it.
std::optional<std::string> RecognisedValues::pick(std::vector<std::string> SiteProfile::*list,
    std::string PickSlots::*slot, std::string_view token, int maxLength)
{
    const std::vector<std::string>& alternatives = m_profile.*list;
    std::optional<std::size_t> preferred;
    const std::string& earlier = m_picks.*slot;
    const auto found = std::find(alternatives.begin(), alternatives.end(), earlier);
    if (!earlier.empty() && found != alternatives.end())
        preferred = static_cast<std::size_t>(found - alternatives.begin());
    std::vector<std::string> values;
    std::vector<PickSlots> draws;
    for (const std::string& alternative : alternatives) {
        PickSlots drawn = m_picks;
        values.push_back(m_expander.expandAfter(token, alternative, m_profile, drawn));
        draws.push_back(std::move(drawn));
    }
    const std::optional<std::size_t> chosen = fittingIndex(values, limitOf(maxLength), m_random, preferred);
    if (!chosen)
        return std::nullopt;
    // The first pick of the fill is the one a submission records.
    if (!preferred) {
        m_picks = draws[*chosen];
        m_picks.*slot = alternatives[*chosen];
    }
    return fitted(values[*chosen], maxLength);
}

std::string RecognisedValues::expanded(std::string_view token)
{
    return m_expander.expand(token, m_profile, m_picks);
}

std::string socialHandle(std::string_view address)
{
    std::string_view rest = trimmed(address);
    rest = rest.substr(0, rest.find_first_of("?#"));
    while (!rest.empty() && rest.back() == '/')
        rest.remove_suffix(1);
    const std::size_t slash = rest.rfind('/');
    if (slash != std::string_view::npos)
        rest.remove_prefix(slash + 1);
    while (!rest.empty() && rest.front() == '@')
        rest.remove_prefix(1);
    return rest.empty() ? std::string() : "@" + std::string(rest);
}
