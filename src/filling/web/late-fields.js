// The number of fields that a person can see and that no fill has offered yet
// nor a person edited: fields a script added, or showed, since the last fill.
// Only documents that changed since the last look are counted again.
(function () {
    'use strict';
    let changed = false;
    for (const entry of vanteloPage.documents()) {
        // A document the watch did not reach counts as changed.
        if (entry.document.vanteloChanged !== false)
            changed = true;
        if (entry.document.vanteloWatched)
            entry.document.vanteloChanged = false;
    }
    if (!changed)
        return 0;
    let fresh = 0;
    for (const { element } of vanteloPage.elements()) {
        if (vanteloPage.isField(element) && !element.vanteloCovered && !element.vanteloEdited
            && vanteloPage.visible(element))
            ++fresh;
    }
    return fresh;
})()
