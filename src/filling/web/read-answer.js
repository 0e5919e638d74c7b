// Reads the page that answered a submitted form, at once: the identity of its
// document and its source (cut at a bound, so that a huge page costs bounded
// time and memory).
(function () {
    'use strict';
    const kMaxSource = 4 * 1024 * 1024;
    const root = document.documentElement;
    return JSON.stringify({
        token: vanteloPage.token(),
        source: root ? root.outerHTML.slice(0, kMaxSource) : '',
    });
})()
