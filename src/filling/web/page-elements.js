// What the describe, replay and watch scripts share: the list of a page's
// elements in one fixed order, and whether a person can see a field. The list is
// every element of the top document with a name or an id, and every field, then
// the fields of each same-origin frame (depth first); a cross-origin frame is
// left alone. Prepended to each of those scripts; runs in the application's own
// script world, so the page's scripts see none of it.
var vanteloPage = (function () {
    'use strict';
    // Bounds for pages that would otherwise take unbounded time and memory.
    const kMaxElements = 20000;
    const kMaxFrames = 50;
    const kMaxFrameDepth = 4;
    const kTopSelector = '[name],[id],input,textarea,select';
    const kFieldSelector = 'input,textarea,select';
    // A field this far beyond the page's top or left edge is placed there to be unseen.
    const kOffScreen = -500;

    // The documents of the page: the top one ('') and each reachable frame ('0', '0.1', ...).
    function documents() {
        const found = [{ document: document, frame: '' }];
        const walk = (doc, path, depth) => {
            if (depth >= kMaxFrameDepth)
                return;
            let index = 0;
            for (const frame of doc.querySelectorAll('iframe,frame')) {
                if (found.length >= kMaxFrames)
                    return;
                const framePath = path === '' ? String(index) : path + '.' + index;
                ++index;
                let inner = null;
                try {
                    inner = frame.contentDocument;
                } catch (error) {
                    inner = null; // another origin
                }
                if (!inner || !inner.documentElement)
                    continue;
                found.push({ document: inner, frame: framePath });
                walk(inner, framePath, depth + 1);
            }
        };
        walk(document, '', 0);
        return found;
    }

    // [{ element, frame }] in the fixed order, at most kMaxElements.
    function elements() {
        const list = [];
        for (const entry of documents()) {
            const selector = entry.frame === '' ? kTopSelector : kFieldSelector;
            for (const element of entry.document.querySelectorAll(selector)) {
                if (list.length >= kMaxElements)
                    return list;
                list.push({ element: element, frame: entry.frame });
            }
        }
        return list;
    }

    function isField(element) {
        const tag = element.tagName.toLowerCase();
        return tag === 'input' || tag === 'textarea' || tag === 'select';
    }

    function isBox(element) {
        return element.tagName.toLowerCase() === 'input' && (element.type === 'checkbox' || element.type === 'radio');
    }

    // Whether a person can see the element itself (not its label).
    function seen(element) {
        if (element.closest('[aria-hidden="true"],[hidden]'))
            return false;
        const rects = element.getClientRects();
        if (rects.length === 0)
            return false; // display:none on it or an ancestor, or detached
        const view = element.ownerDocument.defaultView;
        const style = view.getComputedStyle(element);
        if (style.visibility === 'hidden' || style.visibility === 'collapse' || Number(style.opacity) === 0)
            return false;
        const rect = element.getBoundingClientRect();
        if (rect.width < 2 || rect.height < 2)
            return false;
        const left = rect.left + view.scrollX;
        const top = rect.top + view.scrollY;
        return rect.right + view.scrollX > kOffScreen && rect.bottom + view.scrollY > kOffScreen
            && left > kOffScreen && top > kOffScreen;
    }

    // Whether a person can see and use a field. A check box drawn by its page and
    // kept out of sight counts as seen when its label is in sight.
    function visible(element) {
        if (element.type === 'hidden')
            return false;
        if (seen(element))
            return true;
        if (!isBox(element) || !element.labels)
            return false;
        for (const label of element.labels) {
            if (seen(label))
                return true;
        }
        return false;
    }

    // The identity of this document, made when first asked for: every answer the
    // scripts give names it, so that an answer is never taken for another document's.
    function token() {
        if (!window.vanteloDocument)
            window.vanteloDocument = Date.now().toString(36) + '-' + Math.random().toString(36).slice(2);
        return window.vanteloDocument;
    }

    return { elements: elements, documents: documents, isField: isField, isBox: isBox, visible: visible,
        token: token };
})();
