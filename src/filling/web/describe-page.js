// Describes the top-level document for the form filling: every element with a
// name or an id and every form field, in document order. Runs in the
// application's own script world, so the page's scripts see none of it.
(function () {
    'use strict';
    // Longer option texts are never chosen; cutting them keeps the answer small.
    const kOptionTextLimit = 4096;
    if (!window.vanteloDocument)
        window.vanteloDocument = Date.now().toString(36) + '-' + Math.random().toString(36).slice(2);

    const forms = Array.from(document.forms);
    const elements = [];
    for (const element of document.querySelectorAll('[name],[id],input,textarea,select')) {
        const tag = element.tagName.toLowerCase();
        const entry = {
            tag: tag,
            name: element.getAttribute('name') || '',
            id: element.getAttribute('id') || '',
        };
        if (tag === 'input') {
            entry.type = element.getAttribute('type') || '';
            entry.html = element.outerHTML;
            entry.value = String(element.value);
            entry.checked = Boolean(element.checked);
        } else if (tag === 'textarea') {
            entry.value = String(element.value);
        } else if (tag === 'select') {
            entry.options = Array.from(element.options, (option) => option.text.slice(0, kOptionTextLimit));
            entry.selected = element.selectedIndex;
        }
        if (tag === 'input' || tag === 'textarea' || tag === 'select')
            entry.form = element.form ? forms.indexOf(element.form) : -1;
        elements.push(entry);
    }
    return JSON.stringify({ token: window.vanteloDocument, elements: elements });
})()
