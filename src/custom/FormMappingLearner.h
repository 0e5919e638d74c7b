#pragma once

#include "directories/DirectoryItem.h"
#include "filling/FormSnapshot.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class IFormDocument;

// The form items written into every page the directory wizard loads, so that the
// usual fields of submission forms already hold their placeholders.
const std::vector<DirectoryItem>& presetFormItems();

// Learns how a directory's form is filled from the user's own filling of its
// pages. Each loaded page gets the preset values and the items learned so far;
// when the page is left (or the wizard goes on), every field whose content
// differs from the page as it loaded becomes an item of the mapping. The
// mapping survives navigation, so items learned on several pages are all kept.
class FormMappingLearner {
public:
    // A page as it loaded, before anything was written into it.
    struct LoadedPage {
        FormSnapshot snapshot;
        std::string document; // the identity of the page's document, set by the browser side
        std::vector<DirectoryItem> written; // items of the mapping that the page holds now
    };

    // Starts with the items a directory has (none for a new one).
    explicit FormMappingLearner(std::vector<DirectoryItem> items = {});

    // For a page that finished loading: takes its snapshot, then writes the
    // presets and the mapping into it. Changes nothing here; `pageReady` keeps the
    // result once the writes have reached the page.
    LoadedPage writeInto(IFormDocument& page) const;
    // The writes of `writeInto` are on the page: the page is armed.
    void pageReady(LoadedPage page);
    // The armed page is left or the wizard goes on: disarms and gives the page
    // as it loaded, or nothing when no page is armed.
    std::optional<LoadedPage> disarm();
    // The page's difference has arrived: the items written into it give way to
    // what its fields hold now, and every field of the page that differs from the
    // page as it loaded is appended. Until then the written items stay, so a page
    // whose description never comes loses none of them.
    void learn(const IFormDocument& page, const LoadedPage& loaded);

    // Adds items the page's difference cannot learn (drop-downs, the reciprocal
    // script's field) unless the mapping has them already.
    void keep(const std::vector<DirectoryItem>& items);

    bool armed() const { return m_armed.has_value(); }
    const std::vector<DirectoryItem>& items() const { return m_items; }

private:
    std::vector<DirectoryItem> m_items;
    std::optional<LoadedPage> m_armed;
};
