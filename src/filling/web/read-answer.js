// Reads the page as the answer to the form submitted on it or before it, at
// once: the identity of its document, and what a person reads there. Called
// with { message: false } for a page that followed the submission: its source
// (cut at a bound, so that a huge page costs bounded time and memory), its texts
// and the text fields it shows with what they hold. Called with { message: true }
// on the form's own page after a submission that stayed there: only the texts
// that appeared since, those near the form and the messages anywhere.
(function (options) {
    'use strict';
    const kMaxSource = 4 * 1024 * 1024;
    const answer = { token: vanteloPage.token() };
    const texts = vanteloPage.texts();
    if (options.message) {
        answer.message = true;
        answer.texts = [];
        const submission = document.vanteloSubmission;
        if (!submission)
            return JSON.stringify(answer);
        // A form replaced together with its surroundings leaves the whole page to read.
        const near = submission.near && submission.near.isConnected ? submission.near : null;
        for (const entry of texts) {
            if (submission.seen.has(entry.text))
                continue;
            const inside = !near || (entry.block instanceof Node && near.contains(entry.block));
            if (entry.kind === 'message' || inside)
                answer.texts.push({ kind: entry.kind, text: entry.text });
        }
        return JSON.stringify(answer);
    }
    const root = document.documentElement;
    answer.source = root ? root.outerHTML.slice(0, kMaxSource) : '';
    answer.texts = texts.map((entry) => ({ kind: entry.kind, text: entry.text }));
    const forms = new Map();
    for (const entry of vanteloPage.documents()) {
        for (const form of entry.document.forms)
            forms.set(form, forms.size);
    }
    const fields = vanteloPage.filledTextFields(vanteloPage.elements().map((entry) => entry.element));
    answer.fields = fields.map((field) => ({ name: field.name, value: field.value,
        form: field.element.form && forms.has(field.element.form) ? forms.get(field.element.form) : -1 }));
    return JSON.stringify(answer);
})
