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

    // Bounds for reading a page's texts.
    const kMaxTextNodes = 50000;
    const kMaxTexts = 2000;
    const kMaxTextLength = 2000;
    // A marked element holding more text than this is a part of the page, not a message.
    const kMaxMessageLength = 1000;
    // Texts that are no answer: links, navigation, labels, controls and what is never shown.
    const kSkippedTextTags = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'A', 'BUTTON', 'LABEL', 'SELECT',
        'OPTION', 'TEXTAREA', 'NAV', 'LEGEND', 'IFRAME', 'FRAME', 'OBJECT', 'svg', 'CANVAS']);
    const kSkippedRoles = new Set(['navigation', 'button', 'link', 'menu', 'menubar', 'menuitem', 'tab', 'tablist',
        'tooltip']);
    const kMessageRoles = new Set(['alert', 'alertdialog', 'status', 'dialog']);
    // What pages call the element that shows a message, in its class or id.
    const kMessageMarks = /error|alert|message|msg|notice|notif|success|warn|feedback|flash|toast|confirm|thank|invalid|danger|modal|popup|dialog|callout|status/;

    // How a text inside an element reads, found for each element once: skipped
    // (hidden, or no answer), or its kind and the block it belongs to.
    function textContexts() {
        const memo = new Map();
        const top = { skipped: false, kind: 'text', block: null };
        const marked = (element, role) => {
            if (role === 'alert' || role === 'alertdialog')
                return true;
            const live = (element.getAttribute('aria-live') || '').toLowerCase();
            const mark = ((element.getAttribute('id') || '') + ' ' + (element.getAttribute('class') || '')).toLowerCase();
            const looksLikeOne = kMessageRoles.has(role) || element.tagName === 'DIALOG' || (live !== '' && live !== 'off')
                || kMessageMarks.test(mark);
            return looksLikeOne && element.textContent.length <= kMaxMessageLength;
        };
        const derive = (outer, element) => {
            if (outer.skipped)
                return outer;
            const role = (element.getAttribute('role') || '').toLowerCase();
            if (kSkippedTextTags.has(element.tagName) || kSkippedRoles.has(role) || element.hidden
                || element.getAttribute('aria-hidden') === 'true')
                return { skipped: true };
            const style = element.ownerDocument.defaultView.getComputedStyle(element);
            if (style.display === 'none' || style.visibility === 'hidden' || style.visibility === 'collapse'
                || Number(style.opacity) === 0)
                return { skipped: true };
            let kind = outer.kind;
            if (kind !== 'message') {
                if (marked(element, role))
                    kind = 'message';
                else if (/^H[1-6]$/.test(element.tagName) || role === 'heading')
                    kind = 'heading';
            }
            const inline = style.display === 'inline' || style.display === 'contents';
            return { skipped: false, kind: kind, block: inline && outer.block ? outer.block : element };
        };
        // Walked up and resolved top down, so that a deep page costs no deep recursion.
        return (element) => {
            const chain = [];
            for (let node = element; node && !memo.has(node); node = node.parentElement)
                chain.push(node);
            const last = chain.length ? chain[chain.length - 1].parentElement : element;
            let context = last ? memo.get(last) : top;
            for (let index = chain.length - 1; index >= 0; --index) {
                context = derive(context, chain[index]);
                memo.set(chain[index], context);
            }
            return context;
        };
    }

    // The texts a person reads on the page, one per block of text and kind, in
    // page order: [{ kind, text, block }] where kind is 'message' (an alert or
    // status region, or an element its page marks as a message), 'heading' (a
    // heading or the title) or 'text'.
    function texts() {
        const list = [];
        const byBlock = new Map();
        const contextOf = textContexts();
        let nodes = 0;
        const add = (kind, block, text) => {
            const key = kind + '\n';
            let entries = byBlock.get(block);
            if (!entries) {
                entries = new Map();
                byBlock.set(block, entries);
            }
            let entry = entries.get(key);
            if (!entry) {
                if (list.length >= kMaxTexts)
                    return;
                entry = { kind: kind, text: '', block: block };
                entries.set(key, entry);
                list.push(entry);
            }
            if (entry.text.length < kMaxTextLength)
                entry.text += ' ' + text;
        };
        for (const entry of documents()) {
            const doc = entry.document;
            if (entry.frame === '' && doc.title)
                add('heading', doc, doc.title);
            const root = doc.body || doc.documentElement;
            if (!root)
                continue;
            const walker = doc.createTreeWalker(root, NodeFilter.SHOW_TEXT);
            for (let node = walker.nextNode(); node && nodes < kMaxTextNodes; node = walker.nextNode()) {
                ++nodes;
                if (!/\S/.test(node.data))
                    continue;
                const context = contextOf(node.parentElement);
                if (!context.skipped)
                    add(context.kind, context.block || root, node.data.slice(0, kMaxTextLength));
            }
        }
        for (const entry of list)
            entry.text = entry.text.replace(/\s+/g, ' ').trim().slice(0, kMaxTextLength);
        return list.filter((entry) => entry.text !== '');
    }

    // Fields a person types text into.
    function isTextField(element) {
        const tag = element.tagName.toLowerCase();
        if (tag === 'textarea')
            return true;
        const kTextTypes = ['', 'text', 'email', 'url', 'search', 'tel', 'number'];
        return tag === 'input' && kTextTypes.includes((element.getAttribute('type') || '').toLowerCase());
    }

    // The text fields among the elements that a person can see and change and
    // that hold something: [{ element, name, value }], the name being the id where there is none.
    function filledTextFields(elements) {
        const fields = [];
        for (const element of elements) {
            if (fields.length >= 500)
                break;
            if (!isTextField(element) || element.readOnly || element.disabled || !visible(element))
                continue;
            const value = String(element.value).slice(0, kMaxTextLength);
            const name = element.getAttribute('name') || element.getAttribute('id') || '';
            if (value.trim() !== '' && name !== '')
                fields.push({ element: element, name: name, value: value });
        }
        return fields;
    }

    // The identity of this document, made when first asked for: every answer the
    // scripts give names it, so that an answer is never taken for another document's.
    function token() {
        if (!window.vanteloDocument)
            window.vanteloDocument = Date.now().toString(36) + '-' + Math.random().toString(36).slice(2);
        return window.vanteloDocument;
    }

    return { elements: elements, documents: documents, isField: isField, isBox: isBox, visible: visible,
        texts: texts, filledTextFields: filledTextFields, token: token };
})();
