#include "common/ISecretStore.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<SecretKind, std::string_view>, 5> kKindNames { {
    { SecretKind::ProfilePassword, "password" },
    { SecretKind::ReciprocalPassword, "reciprocal" },
    { SecretKind::DirectoryAccount, "account" },
    { SecretKind::OpenPageRankKey, "openpagerank" },
    { SecretKind::BraveKey, "brave" },
} };

} // namespace

std::string_view secretKindName(SecretKind kind)
{
    for (const auto& [each, name] : kKindNames)
        if (each == kind)
            return name;
    return {};
}

std::optional<SecretKind> secretKindNamed(std::string_view name)
{
    for (const auto& [kind, each] : kKindNames)
        if (each == name)
            return kind;
    return std::nullopt;
}

bool SecretQuery::matches(const SecretKey& key) const
{
    return (!kind || *kind == key.kind) && (!profile || *profile == key.profile)
        && (!directory || *directory == key.directory);
}

std::optional<StoredSecret> findSecret(ISecretStore& store, const SecretKey& key)
{
    SecretSearch found = store.search(SecretQuery::of(key));
    if (found.items.empty())
        return std::nullopt;
    return std::move(found.items.front());
}

std::string secretOf(ISecretStore& store, const SecretKey& key)
{
    const std::optional<StoredSecret> item = findSecret(store, key);
    return item ? item->secret : std::string();
}
