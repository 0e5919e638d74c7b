#include "filling/FormSnapshot.h"

#include "filling/IFormDocument.h"

#include <cstdint>
#include <unordered_map>

namespace {

constexpr const char* kTrue = "true";
constexpr const char* kFalse = "false";

// Input types are told apart by the markup, as the forms have always been read:
// a box or button of choice, a text field, or (with any other type) nothing.
enum class InputKind {
    Choice,
    Text,
    Ignored,
};

InputKind inputKind(const std::string& outerHtml)
{
    if (outerHtml.find("checkbox") != std::string::npos || outerHtml.find("radio") != std::string::npos)
        return InputKind::Choice;
    if (outerHtml.find("text") != std::string::npos || outerHtml.find("type") == std::string::npos)
        return InputKind::Text;
    return InputKind::Ignored;
}

} // namespace

FormSnapshot takeFormSnapshot(const IFormDocument& document)
{
    FormSnapshot snapshot;
    // Shared by both tags: a text area named like an earlier input gets the next index.
    std::unordered_map<std::string, std::int32_t> seen;
    const auto add = [&](const std::string& name, ControlType kind, std::int32_t index, std::string value) {
        snapshot.emplace(name, DirectoryItem { name, kind, index, std::move(value) });
    };

    for (std::size_t position = 0; position < document.length(ElementCollection::Inputs); ++position) {
        const std::optional<ElementHandle> input = document.itemAt(ElementCollection::Inputs, position);
        if (!input)
            continue;
        const std::string name = document.name(*input);
        const std::int32_t index = seen[name]++;
        switch (inputKind(document.outerHtml(*input))) {
        case InputKind::Choice:
            add(name, ControlType::Checkbox, index, document.checked(*input) ? kTrue : kFalse);
            break;
        case InputKind::Text:
            add(name, ControlType::Edit, index, document.value(*input));
            break;
        case InputKind::Ignored:
            break;
        }
    }
    for (std::size_t position = 0; position < document.length(ElementCollection::TextAreas); ++position) {
        const std::optional<ElementHandle> area = document.itemAt(ElementCollection::TextAreas, position);
        if (!area)
            continue;
        const std::string name = document.name(*area);
        add(name, ControlType::Edit, seen[name]++, document.value(*area));
    }
    return snapshot;
}

std::vector<DirectoryItem> snapshotDifference(const FormSnapshot& later, const FormSnapshot& earlier)
{
    std::vector<DirectoryItem> changed;
    for (const auto& [name, entry] : later) {
        // The first field of the name: a multimap's find may give any of them.
        const auto before = earlier.lower_bound(name);
        if (before != earlier.end() && before->first == name && before->second.value != entry.value)
            changed.push_back(entry);
    }
    return changed;
}
