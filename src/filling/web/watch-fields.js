// Runs in every document and frame as it is created, in the application's own
// script world: notes which fields a person has typed into (trusted input events
// only, never the filling's own), and that the document changed, so that the
// watch for late fields need not look at a page where nothing happened; and
// tells the program when a file input the filling gave a profile's file is
// clicked, so that the file chooser it opens starts at that file. In the
// top document it also tells the program when the form the filling wrote into
// is submitted (or its submit button clicked): through the console, marked with
// a secret the page's scripts cannot know, with what the form's text fields
// hold and what the page shows at that moment, which the answer is read against.
(function () {
    'use strict';
    if (document.vanteloWatched)
        return;
    document.vanteloWatched = true;
    document.vanteloChanged = true;
    const edited = (event) => {
        if (event.isTrusted && event.target)
            event.target.vanteloEdited = true;
    };
    document.addEventListener('input', edited, true);
    document.addEventListener('change', edited, true);
    // A file input the filling gave a profile's file opens its chooser on that file.
    document.addEventListener('click', (event) => {
        const target = event.target;
        if (target instanceof HTMLInputElement && target.type === 'file' && target.vanteloChooserFile)
            console.debug('VANTELO-SUBMISSION-SECRET' + 'chooser:' + target.vanteloChooserFile);
    }, true);
    new MutationObserver(() => {
        document.vanteloChanged = true;
    }).observe(document, {
        childList: true,
        subtree: true,
        attributes: true,
        attributeFilter: ['style', 'class', 'hidden', 'type', 'disabled'],
    });

    if (window !== window.top)
        return;
    const kSecret = 'VANTELO-SUBMISSION-SECRET';
    // What the page showed before is sent up to this much; the rest is not compared.
    const kMaxShownText = 200000;
    // A click and the submission it starts come this close together; they are one submission.
    const kOneSubmissionMs = 1000;
    const kSubmitControls = 'input[type=submit],input[type=image],button:not([type]),button[type=submit]';
    const kButtonLike = 'button,input[type=button],[role=button],a[href^="javascript:"],a[href="#"]';

    const filledRegion = (element) => {
        for (let node = element; node; node = node.parentElement) {
            if (node.vanteloFilled)
                return node;
        }
        return null;
    };
    const controlsOf = (region) => (region.tagName === 'FORM' ? Array.from(region.elements)
        : Array.from(region.querySelectorAll('input,textarea,select,button,[role=button],a')));
    const hasSubmitControl = (region) => controlsOf(region).some((control) => control.matches(kSubmitControls));
    // Where a message about the form would appear: the form and what is around it.
    const surroundings = (region) => {
        let node = region;
        for (let depth = 0; depth < 3 && node.parentElement && node.parentElement !== document.documentElement;
            ++depth)
            node = node.parentElement;
        return node;
    };

    const submitted = (region) => {
        const last = document.vanteloSubmission;
        if (last && last.region === region && Date.now() - last.at < kOneSubmissionMs)
            return;
        const shown = vanteloPage.texts();
        document.vanteloSubmission = { region: region, at: Date.now(), near: surroundings(region),
            seen: new Set(shown.map((entry) => entry.text)) };
        const texts = [];
        let length = 0;
        for (const entry of shown) {
            length += entry.text.length;
            if (length > kMaxShownText)
                break;
            texts.push(entry.text);
        }
        const fields = vanteloPage.filledTextFields(controlsOf(region))
            .map((field) => ({ name: field.name, value: field.value }));
        console.debug(kSecret + JSON.stringify({ token: vanteloPage.token(), fields: fields, texts: texts }));
    };

    document.addEventListener('submit', (event) => {
        if (event.target && event.target.vanteloFilled)
            submitted(event.target);
    }, true);
    document.addEventListener('click', (event) => {
        const target = event.target instanceof Element ? event.target : null;
        const control = target ? target.closest(kSubmitControls + ',' + kButtonLike) : null;
        if (!control)
            return;
        const region = control.form && control.form.vanteloFilled ? control.form : filledRegion(control);
        if (!region)
            return;
        // A form with a submit button is submitted by that button only; a form
        // run by script, by the button it has.
        if (control.matches(kSubmitControls) || !hasSubmitControl(region))
            submitted(region);
    }, true);
})();
