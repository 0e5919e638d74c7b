// Runs in every document and frame as it is created, in the application's own
// script world: notes which fields a person has typed into (trusted input events
// only, never the filling's own), and that the document changed, so that the
// watch for late fields need not look at a page where nothing happened.
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
    new MutationObserver(() => {
        document.vanteloChanged = true;
    }).observe(document, {
        childList: true,
        subtree: true,
        attributes: true,
        attributeFilter: ['style', 'class', 'hidden', 'type', 'disabled'],
    });
})();
