// Replays the writes of the form filling on the document it described, the way
// a person's typing would reach the page's own scripts: a value goes in through
// the element type's own value setter, then input and change are fired (React,
// Vue and Angular keep their own copy of each value and take it from those
// events); a check box is clicked; a file input is given the file as a chosen
// file would be (name, type and bytes), and remembers its path so that the
// page's file chooser starts there. An element that is no longer the one
// described is left alone; on another document nothing is written. A page
// script that throws from an event handler does not stop the replay. Called
// with the object the filling built.
(function (replay) {
    'use strict';
    if (window.vanteloDocument !== replay.token)
        return JSON.stringify({ stale: true, applied: 0, skipped: replay.writes.length });

    const elements = vanteloPage.elements();
    const fire = (element, type) => element.dispatchEvent(new Event(type, { bubbles: true }));
    const changed = (element) => {
        fire(element, 'input');
        fire(element, 'change');
    };
    const isDescribed = (entry, write) => entry !== undefined
        && entry.element.tagName.toLowerCase() === write.tag
        && (entry.element.getAttribute('name') || '') === write.name
        && (entry.element.getAttribute('id') || '') === write.id
        && entry.frame === (write.frame || '');
    // The setter of the element's own type, which no page script can have replaced.
    const setValue = (element, value) => {
        for (let type = Object.getPrototypeOf(element); type; type = Object.getPrototypeOf(type)) {
            const property = Object.getOwnPropertyDescriptor(type, 'value');
            if (property && property.set) {
                property.set.call(element, value);
                return;
            }
        }
        element.value = value;
    };

    const fileOf = (write) => {
        const binary = atob(write.data);
        const bytes = new Uint8Array(binary.length);
        for (let at = 0; at < binary.length; ++at)
            bytes[at] = binary.charCodeAt(at);
        return new File([bytes], write.file, { type: write.mime });
    };
    const setFile = (element, write) => {
        const transfer = new DataTransfer();
        transfer.items.add(fileOf(write));
        element.files = transfer.files;
        element.vanteloChooserFile = write.path;
        changed(element);
        return element.files.length === 1 && element.files[0].name === write.file;
    };

    // The form a write went into is the one whose submission is followed; a field
    // outside any form counts with the part of the page that holds its button.
    const kButtons = 'button,input[type=submit],input[type=image],input[type=button],[role=button]';
    const filled = (region) => {
        if (region.vanteloFilled)
            return;
        region.vanteloFilled = true;
        const regions = region.ownerDocument.vanteloFilledRegions || [];
        regions.push(region);
        region.ownerDocument.vanteloFilledRegions = regions;
    };
    const markFilled = (element) => {
        if (element.form) {
            filled(element.form);
            return;
        }
        let region = element.parentElement;
        for (let depth = 0; region && depth < 8; ++depth, region = region.parentElement) {
            if (region.querySelector(kButtons)) {
                filled(region);
                return;
            }
        }
    };

    let applied = 0;
    const fields = new Set();
    const recognised = new Set();
    for (const write of replay.writes) {
        const entry = elements[write.at];
        if (!isDescribed(entry, write))
            continue;
        const element = entry.element;
        // A password goes only where it is still plainly seen.
        if (write.password && !vanteloPasswords.plainlyVisible(element))
            continue;
        try {
            if (write.kind === 'value') {
                setValue(element, write.value);
                changed(element);
            } else if (write.kind === 'checked') {
                // A box already in that state is not toggled back and forth for the page.
                if (element.checked !== write.checked)
                    element.click();
                // A page that refused the click keeps its box as it is.
                if (element.checked !== write.checked)
                    continue;
            } else if (write.kind === 'option') {
                element.selectedIndex = write.option;
                changed(element);
            } else if (write.kind === 'file') {
                // An input that is no file input, or refuses the file, keeps what it has.
                if (element.type !== 'file' || !setFile(element, write))
                    continue;
            }
            ++applied;
            markFilled(element);
            fields.add(write.at);
            if (write.recognised)
                recognised.add(write.at);
        } catch (error) {
            // A field that refuses the value (a file input) keeps its own.
        }
    }
    return JSON.stringify({ stale: false, applied: applied, skipped: replay.writes.length - applied,
        fields: fields.size, recognised: recognised.size });
})
