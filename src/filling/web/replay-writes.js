// Replays the writes of the form filling on the document it described: sets
// values, check marks and chosen options, and fires the input and change events
// a user's typing would, so that the page's own scripts notice. An element that
// is no longer the one described is left alone; on another document nothing is
// written. Called with the object the filling built.
(function (replay) {
    'use strict';
    if (window.vanteloDocument !== replay.token)
        return JSON.stringify({ stale: true, applied: 0, skipped: replay.writes.length });

    const elements = Array.from(document.querySelectorAll('[name],[id],input,textarea,select'));
    const fire = (element, type) => element.dispatchEvent(new Event(type, { bubbles: true }));
    const changed = (element) => {
        fire(element, 'input');
        fire(element, 'change');
    };
    const isDescribed = (element, write) => element !== undefined
        && element.tagName.toLowerCase() === write.tag
        && (element.getAttribute('name') || '') === write.name
        && (element.getAttribute('id') || '') === write.id;

    let applied = 0;
    for (const write of replay.writes) {
        const element = elements[write.at];
        if (!isDescribed(element, write))
            continue;
        try {
            if (write.kind === 'value') {
                element.value = write.value;
                changed(element);
            } else if (write.kind === 'checked') {
                // A box already in that state is not toggled back and forth for the page.
                if (element.checked !== write.checked) {
                    element.checked = write.checked;
                    changed(element);
                }
            } else if (write.kind === 'option') {
                element.selectedIndex = write.option;
                changed(element);
            }
            ++applied;
        } catch (error) {
            // A field that refuses the value (a file input) keeps its own.
        }
    }
    return JSON.stringify({ stale: false, applied: applied, skipped: replay.writes.length - applied });
})
