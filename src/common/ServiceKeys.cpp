#include "common/ServiceKeys.h"

#include "common/ISecretStore.h"
#include "common/SettingsStore.h"

namespace {

struct ServiceKey {
    SecretKind kind;
    const char* settingsKey;
    std::string StatisticsServices::*member;
};

constexpr ServiceKey kServiceKeys[] = {
    { SecretKind::OpenPageRankKey, StatisticsServices::kOpenPageRankKeyKey,
        &StatisticsServices::openPageRankKey },
    { SecretKind::BraveKey, StatisticsServices::kBraveKeyKey, &StatisticsServices::braveKey },
};

// Puts one key into the store, or removes it when empty, and out of the settings.
void keepKey(const ServiceKey& key, const std::string& value, ISecretStore& secrets, SettingsStore& settings,
    std::vector<std::string>& errors)
{
    const SecretKey secret { key.kind, {}, {} };
    const std::optional<std::string> error =
        value.empty() ? secrets.remove(SecretQuery::of(secret)) : secrets.store({ secret, {}, value });
    if (!error) {
        settings.removeSetting(key.settingsKey);
        return;
    }
    errors.push_back(*error);
    if (!value.empty())
        settings.SetSetting(key.settingsKey, value);
}

} // namespace

void readServiceKeys(StatisticsServices& services, ISecretStore& secrets)
{
    for (const ServiceKey& key : kServiceKeys) {
        if (const std::optional<StoredSecret> stored = findSecret(secrets, { key.kind, {}, {} }))
            services.*key.member = stored->secret;
    }
}

std::vector<std::string> keepServiceKeys(
    ISecretStore& secrets, const StatisticsServices& services, SettingsStore& settings)
{
    std::vector<std::string> errors;
    for (const ServiceKey& key : kServiceKeys)
        keepKey(key, services.*key.member, secrets, settings, errors);
    return errors;
}

std::vector<std::string> moveServiceKeys(ISecretStore& secrets, SettingsStore& settings)
{
    // Without its key the file would read back the toolbar query.
    const StatisticsServices services = readStatisticsServices(settings);
    if (!settings.GetSetting(StatisticsServices::kPageRankProviderKey)
        && services.pageRank == StatisticsServices::PageRankProvider::OpenPageRank)
        settings.SetSetting(StatisticsServices::kPageRankProviderKey,
            std::string(StatisticsServices::nameOf(services.pageRank)));
    std::vector<std::string> errors;
    for (const ServiceKey& key : kServiceKeys) {
        const auto value = settings.GetSetting(key.settingsKey);
        if (value && !value->empty())
            keepKey(key, *value, secrets, settings, errors);
    }
    return errors;
}

bool holdsServiceKeys(const SettingsStore& settings)
{
    for (const ServiceKey& key : kServiceKeys) {
        const auto value = settings.GetSetting(key.settingsKey);
        if (value && !value->empty())
            return true;
    }
    return false;
}
