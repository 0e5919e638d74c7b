#include "custom/FormMappingLearner.h"

#include "filling/IFormDocument.h"

#include <algorithm>

namespace {

DirectoryItem preset(const char* name, int index, const char* value)
{
    return DirectoryItem { name, ControlType::Edit, index, value };
}

// Writes an item into the element of its name and index: the text of a text
// field or area, the state of a check box. Items of the other kinds (drop-downs,
// reciprocal-link fields) are never written, since the page's difference could
// not give them back with their kind. Whether the item was written.
bool writeItem(IFormDocument& page, const DirectoryItem& item)
{
    const std::optional<ElementHandle> element =
        page.itemByName(ElementCollection::All, item.name, static_cast<std::size_t>(std::max(item.index, 0)));
    if (!element)
        return false;
    const ElementType type = page.type(*element);
    if (item.type == ControlType::Edit && (type == ElementType::Input || type == ElementType::TextArea)) {
        page.setValue(*element, item.value);
        return true;
    }
    if (item.type == ControlType::Checkbox && type == ElementType::Input) {
        page.setChecked(*element, item.value == "true");
        return true;
    }
    return false;
}

bool sameEntry(const DirectoryItem& a, const DirectoryItem& b)
{
    return a.name == b.name && a.index == b.index && a.type == b.type && a.value == b.value;
}

} // namespace

const std::vector<DirectoryItem>& presetFormItems()
{
    static const std::vector<DirectoryItem> items {
        preset("OWNER_NAME", 0, "#fname# #lname#"),
        preset("OWNER_EMAIL", 0, "#email#"),
        preset("email", 0, "#email#"),
        preset("email", 0, "#email#"),
        preset("DESCRIPTION", 0, "#desc#"),
        preset("DESCRIPTION", 1, "#desc#"),
        preset("META_DESCRIPTION", 0, "#desc#"),
        preset("META_KEYWORDS", 0, "#keywords#"),
        preset("TITLE", 0, "#title#"),
        preset("TITLE", 1, "#title#"),
        preset("URL", 0, "#url#"),
        preset("link_url", 0, "#url#"),
        preset("link_title", 0, "#title#"),
        preset("link_title", 0, "#title#"),
        preset("link_email", 0, "#email#"),
        preset("link_description", 0, "#desc#"),
        preset("link_full_description", 0, "#desc#"),
        preset("sitename", 0, "#title#"),
    };
    return items;
}

FormMappingLearner::FormMappingLearner(std::vector<DirectoryItem> items)
    : m_items(std::move(items))
{
}

FormMappingLearner::LoadedPage FormMappingLearner::writeInto(IFormDocument& page) const
{
    LoadedPage loaded { takeFormSnapshot(page), {}, {} };
    for (const DirectoryItem& item : presetFormItems())
        writeItem(page, item);
    std::vector<std::size_t> written;
    for (std::size_t position = 0; position < m_items.size(); ++position) {
        if (writeItem(page, m_items[position]))
            written.push_back(position);
    }
    // An item leaves the mapping only when the page's difference gives it back
    // as it is; one the difference cannot see (a password field, a value the
    // page loaded with anyway) would otherwise be lost.
    const std::vector<DirectoryItem> returned = snapshotDifference(takeFormSnapshot(page), loaded.snapshot);
    for (const std::size_t position : written) {
        const DirectoryItem& item = m_items[position];
        if (std::any_of(returned.begin(), returned.end(),
                [&](const DirectoryItem& entry) { return sameEntry(entry, item); }))
            loaded.written.push_back(item);
    }
    return loaded;
}

void FormMappingLearner::pageReady(LoadedPage page)
{
    m_armed = std::move(page);
}

std::optional<FormMappingLearner::LoadedPage> FormMappingLearner::disarm()
{
    std::optional<LoadedPage> page = std::move(m_armed);
    m_armed.reset();
    return page;
}

void FormMappingLearner::learn(const IFormDocument& page, const LoadedPage& loaded)
{
    const std::vector<DirectoryItem> changed = snapshotDifference(takeFormSnapshot(page), loaded.snapshot);
    // By value: descriptions of pages left earlier may arrive in between and
    // change the mapping.
    for (const DirectoryItem& item : loaded.written) {
        const auto found = std::find_if(m_items.begin(), m_items.end(),
            [&](const DirectoryItem& entry) { return sameEntry(entry, item); });
        if (found != m_items.end())
            m_items.erase(found);
    }
    m_items.insert(m_items.end(), changed.begin(), changed.end());
}

void FormMappingLearner::keep(const std::vector<DirectoryItem>& items)
{
    for (const DirectoryItem& item : items) {
        if (std::find(m_items.begin(), m_items.end(), item) == m_items.end())
            m_items.push_back(item);
    }
}
