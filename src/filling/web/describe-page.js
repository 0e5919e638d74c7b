// Describes the page for the form filling: every element in the order of
// vanteloPage.elements(), with full details of the fields, what a person reads
// around each field (labels, aria texts, the caption before it), whether a
// person can see it (and plainly enough for a password), and the page's forms. Called with { cover: true } by a
// fill, which marks the visible fields described as offered, so that the watch
// for late fields offers each field once.
(function (options) {
    'use strict';
    // Longer option texts are never chosen; cutting them keeps the answer small.
    const kOptionTextLimit = 4096;
    const kMaxOptions = 10000;
    // What a person reads around a field; longer texts are no caption.
    const kTextLimit = 200;
    // The texts of a field's cues go to the core as the page has them, which
    // cleans them and cuts them to a caption's length (FieldCueBuilder, shared
    // with the reader of fetched pages); here they are only kept from growing
    // the description without bound.
    const kRawTextLimit = 10 * kTextLimit;
    // Fields beyond this many are listed but not looked at, and so never filled.
    const kMaxDescribedFields = 3000;
    // Nodes walked looking for a caption or a label's text.
    const kWalkBudget = 300;
    // The fields a password can be written into.
    const kPasswordPlaces = new Set(['', 'text', 'password', 'email']);
    const kSkippedTags = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'SELECT', 'OPTION', 'TEXTAREA',
        'BUTTON', 'INPUT']);

    const clean = (text) => String(text || '').replace(/\s+/g, ' ').trim().slice(0, kTextLimit);
    const bounded = (text) => String(text || '').slice(0, kRawTextLimit);
    const blank = (text) => !/\S/.test(text);
    const hasWords = (text) => /[\p{L}\p{N}]{2}/u.test(text);

    // The text of a node as a person reads it, without what fields and scripts inside it hold.
    function readableText(root) {
        let text = '';
        let budget = kWalkBudget;
        const visit = (node) => {
            if (--budget < 0 || text.length > 2 * kTextLimit)
                return;
            if (node.nodeType === Node.TEXT_NODE) {
                text += node.data;
                return;
            }
            if (node !== root && node.nodeType === Node.ELEMENT_NODE && kSkippedTags.has(node.tagName))
                return;
            for (let child = node.firstChild; child; child = child.nextSibling)
                visit(child);
        };
        visit(root);
        return bounded(text);
    }

    function skippedText(node, boundary) {
        for (let parent = node.parentElement; parent && parent !== boundary; parent = parent.parentElement) {
            if (kSkippedTags.has(parent.tagName))
                return true;
        }
        return false;
    }

    // The node before `node` in document order within `boundary`, or null.
    function previousNode(node, boundary) {
        if (node.previousSibling) {
            node = node.previousSibling;
            while (node.lastChild && !(node.nodeType === Node.ELEMENT_NODE && kSkippedTags.has(node.tagName)))
                node = node.lastChild;
            return node;
        }
        const parent = node.parentNode;
        return parent && parent !== boundary ? parent : null;
    }

    // The node after `node` (not entering it) in document order within `boundary`, or null.
    function nextNode(node, boundary, enter) {
        if (enter && node.firstChild && !(node.nodeType === Node.ELEMENT_NODE && kSkippedTags.has(node.tagName)))
            return node.firstChild;
        for (; node && node !== boundary; node = node.parentNode) {
            if (node.nextSibling)
                return node.nextSibling;
        }
        return null;
    }

    const stopsCaption = (node) => node.nodeType === Node.ELEMENT_NODE
        && ((vanteloPage.isField(node) && node.type !== 'hidden') || node.tagName === 'TD' || node.tagName === 'TH');

    // The nearest text before (or after) a field, up to another field or the boundary.
    function nearbyText(element, boundary, forward) {
        let text = '';
        let node = element;
        for (let budget = kWalkBudget; budget > 0; --budget) {
            node = forward ? nextNode(node, boundary, node !== element) : previousNode(node, boundary);
            if (!node || stopsCaption(node))
                break;
            if (node.nodeType !== Node.TEXT_NODE || skippedText(node, boundary))
                continue;
            text = forward ? text + ' ' + node.data : node.data + ' ' + text;
            if (hasWords(text))
                break;
        }
        return bounded(text);
    }

    // The caption of a field that has no label: the text after a check box, the
    // text before the field in its cell or the cell before it, or the text before it.
    function caption(element) {
        const boundary = element.form || element.ownerDocument.body;
        if (vanteloPage.isBox(element)) {
            const after = nearbyText(element, boundary, true);
            if (!blank(after))
                return after;
        }
        const cell = element.closest('td,th');
        if (cell) {
            const inCell = nearbyText(element, cell, false);
            if (!blank(inCell))
                return inCell;
            let previous = cell.previousElementSibling;
            while (previous && previous.tagName !== 'TD' && previous.tagName !== 'TH')
                previous = previous.previousElementSibling;
            if (previous && !previous.querySelector('input:not([type=hidden]),textarea,select'))
                return readableText(previous);
            return '';
        }
        return nearbyText(element, boundary, false);
    }

    // Each field's labels, found once: asking every field for its labels
    // searches the whole document each time.
    const labelsOf = new Map();
    for (const entry of vanteloPage.documents()) {
        for (const label of entry.document.querySelectorAll('label')) {
            const control = label.control;
            if (!control)
                continue;
            if (!labelsOf.has(control))
                labelsOf.set(control, []);
            labelsOf.get(control).push(label);
        }
    }

    function labelText(element) {
        const texts = [];
        for (const label of labelsOf.get(element) || [])
            texts.push(readableText(label));
        return bounded(texts.join(' '));
    }

    // aria-labelledby is read one level deep only, so that labels naming each
    // other (or themselves) cannot loop.
    function ariaText(element) {
        const texts = [];
        const ids = (element.getAttribute('aria-labelledby') || '').split(/\s+/).filter(Boolean).slice(0, 10);
        for (const id of ids) {
            const target = element.ownerDocument.getElementById(id);
            if (target && target !== element)
                texts.push(readableText(target));
        }
        texts.push(element.getAttribute('aria-label') || '');
        return bounded(texts.join(' '));
    }

    function submitTexts(form) {
        const texts = [];
        for (const control of form.elements) {
            if (texts.length >= 5)
                break;
            const tag = control.tagName.toLowerCase();
            const type = (control.getAttribute('type') || '').toLowerCase();
            const submits = (tag === 'input' && (type === 'submit' || type === 'image'))
                || (tag === 'button' && (type === '' || type === 'submit'));
            if (!submits)
                continue;
            const text = clean(tag === 'input' ? control.value || control.getAttribute('alt') : readableText(control));
            const named = clean(control.getAttribute('aria-label') || control.getAttribute('title'));
            for (const each of [text, named]) {
                if (each)
                    texts.push(each);
            }
        }
        return texts;
    }

    function describeField(entry, element, tag, cues) {
        if (tag === 'input') {
            entry.type = element.getAttribute('type') || '';
            entry.html = element.outerHTML;
            entry.value = String(element.value);
            entry.checked = Boolean(element.checked);
            if (element.type === 'file')
                entry.files = Array.from(element.files || []).map((file) => file.name);
        } else if (tag === 'textarea') {
            entry.value = String(element.value);
        } else {
            const options = Array.from(element.options).slice(0, kMaxOptions);
            entry.options = options.map((option) => option.text.slice(0, kOptionTextLimit));
            entry.values = options.map((option) => option.value.slice(0, kOptionTextLimit));
            entry.selected = element.selectedIndex;
            entry.groups = options.map((option) => option.parentElement && option.parentElement.tagName === 'OPTGROUP'
                ? bounded(option.parentElement.label) : '');
            const chosen = options.findIndex((option) => option.defaultSelected);
            entry.defaultselected = chosen >= 0 ? chosen : (options.length > 0 ? 0 : -1);
        }
        if (!cues) {
            entry.hidden = true;
            return;
        }
        entry.label = labelText(element);
        entry.aria = ariaText(element);
        // The core keeps the caption only for a field with neither; reading it
        // for every field would only cost time.
        if (blank(entry.label) && blank(entry.aria))
            entry.preceding = caption(element);
        entry.placeholder = bounded(element.getAttribute('placeholder'));
        entry.title = bounded(element.getAttribute('title'));
        entry.autocomplete = bounded(element.getAttribute('autocomplete'));
        if (tag !== 'select')
            entry.maxlength = element.maxLength;
        entry.readonly = Boolean(element.readOnly);
        entry.disabled = element.matches(':disabled');
        entry.hidden = !vanteloPage.visible(element);
        entry.skipstab = element.hasAttribute('tabindex') && element.tabIndex < 0;
        if (tag === 'input') {
            entry.default = String(element.defaultValue);
            entry.defaultchecked = Boolean(element.defaultChecked);
        } else if (tag === 'textarea') {
            entry.default = String(element.defaultValue);
        }
        entry.covered = Boolean(element.vanteloCovered);
        entry.edited = Boolean(element.vanteloEdited);
        describePasswordPlace(entry, element, tag);
    }

    // Whether a password may go into the field, and what a new one must meet.
    function describePasswordPlace(entry, element, tag) {
        const type = tag === 'input' ? (element.getAttribute('type') || '').toLowerCase() : '';
        if (entry.hidden || (tag !== 'textarea' && !kPasswordPlaces.has(type)))
            return;
        entry.shown = vanteloPasswords.plainlyVisible(element);
        if (type === 'password') {
            entry.pattern = element.getAttribute('pattern') || '';
            entry.minlength = element.minLength;
        }
    }

    const forms = [];
    const formIndex = new Map();
    for (const entry of vanteloPage.documents()) {
        for (const form of entry.document.forms) {
            formIndex.set(form, forms.length);
            forms.push({
                action: form.getAttribute('action') || '',
                method: form.getAttribute('method') || '',
                id: form.getAttribute('id') || '',
                name: form.getAttribute('name') || '',
                class: form.getAttribute('class') || '',
                submits: submitTexts(form),
                frame: entry.frame,
            });
        }
    }

    const elements = [];
    const offered = [];
    let described = 0;
    for (const { element, frame } of vanteloPage.elements()) {
        const tag = element.tagName.toLowerCase();
        const entry = {
            tag: tag,
            name: element.getAttribute('name') || '',
            id: element.getAttribute('id') || '',
        };
        if (frame !== '')
            entry.frame = frame;
        if (vanteloPage.isField(element)) {
            describeField(entry, element, tag, ++described <= kMaxDescribedFields);
            entry.form = element.form && formIndex.has(element.form) ? formIndex.get(element.form) : -1;
            if (!entry.hidden)
                offered.push(element);
        }
        elements.push(entry);
    }
    if (options && options.cover) {
        for (const element of offered)
            element.vanteloCovered = true;
    }
    return JSON.stringify({ token: vanteloPage.token(), url: document.URL, forms: forms, elements: elements });
})
