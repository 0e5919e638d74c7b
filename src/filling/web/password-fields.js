// Whether a person plainly sees a field, as a password needs before it goes into
// one: inside the page or reachable by scrolling it, at least 8 by 8 pixels, not
// (nearly) transparent, not clipped away by a box that cannot scroll, and the
// element that the point at its centre hits, or its label; in the top document, or
// in a frame of the same origin that a person plainly sees as well. Prepended to
// the description and replay scripts; runs in the application's own script world.
var vanteloPasswords = (function () {
    'use strict';
    const kMinSize = 8;
    const kMinOpacity = 0.25;
    // Sideways scrolling is taken to reach one viewport width beyond the view, no further.
    const kReachableWidths = 2;
    // Hit tests that scroll are the costly part: fields beyond this many are not looked at.
    const kMaxScrolledChecks = 200;
    let scrolledChecks = 0;

    const clips = (overflow) => overflow === 'hidden' || overflow === 'clip';

    function opacityOf(element, view) {
        let opacity = 1;
        for (let node = element; node && node.nodeType === Node.ELEMENT_NODE; node = node.parentElement)
            opacity *= Number(view.getComputedStyle(node).opacity);
        return opacity;
    }

    // A box that cannot scroll (overflow hidden or clip) and has the field's centre outside it.
    function clippedAway(element, rect, view) {
        const x = rect.left + rect.width / 2;
        const y = rect.top + rect.height / 2;
        const root = element.ownerDocument.documentElement;
        for (let node = element.parentElement; node; node = node.parentElement) {
            const style = view.getComputedStyle(node);
            const across = clips(style.overflowX);
            const down = clips(style.overflowY);
            if (!across && !down)
                continue;
            // The page's own overflow is the viewport's: what it hides is out of reach, not out of a box.
            const box = node === root || node === element.ownerDocument.body
                ? { left: 0, top: 0, right: view.innerWidth, bottom: view.innerHeight }
                : node.getBoundingClientRect();
            if ((across && (x < box.left || x > box.right)) || (down && (y < box.top || y > box.bottom)))
                return true;
        }
        return false;
    }

    // Whether scrolling the page brings the field's centre into view.
    function reachable(element, rect, view) {
        const scroller = element.ownerDocument.scrollingElement || element.ownerDocument.documentElement;
        const x = rect.left + rect.width / 2 + view.scrollX;
        const y = rect.top + rect.height / 2 + view.scrollY;
        return x >= 0 && y >= 0 && x <= scroller.scrollWidth && y <= scroller.scrollHeight
            && x <= kReachableWidths * view.innerWidth;
    }

    const inView = (rect, view) => {
        const x = rect.left + rect.width / 2;
        const y = rect.top + rect.height / 2;
        return x >= 0 && y >= 0 && x < view.innerWidth && y < view.innerHeight;
    };

    // Scrolls the field into view for a moment; the function returned puts every scroll back.
    function scrollToSee(element, view) {
        const saved = [];
        for (let node = element.parentElement; node; node = node.parentElement) {
            if (node.scrollHeight > node.clientHeight || node.scrollWidth > node.clientWidth)
                saved.push([node, node.scrollLeft, node.scrollTop]);
        }
        const left = view.scrollX;
        const top = view.scrollY;
        element.scrollIntoView({ block: 'center', inline: 'center', behavior: 'instant' });
        return () => {
            for (const [node, x, y] of saved)
                node.scrollTo({ left: x, top: y, behavior: 'instant' });
            view.scrollTo({ left: left, top: top, behavior: 'instant' });
        };
    }

    function hitAtCentre(element, view) {
        let rect = element.getBoundingClientRect();
        let restore = null;
        if (!inView(rect, view)) {
            if (++scrolledChecks > kMaxScrolledChecks)
                return false;
            restore = scrollToSee(element, view);
            rect = element.getBoundingClientRect();
        }
        const hit = inView(rect, view)
            ? element.ownerDocument.elementFromPoint(rect.left + rect.width / 2, rect.top + rect.height / 2)
            : null;
        if (restore)
            restore();
        if (!hit)
            return false;
        const label = hit.closest('label');
        return hit === element || (label !== null && label.control === element);
    }

    // Whether a person plainly sees the element within its own document.
    function seenInDocument(element) {
        const view = element.ownerDocument.defaultView;
        const style = view.getComputedStyle(element);
        if (style.visibility !== 'visible' || element.getClientRects().length === 0)
            return false;
        const rect = element.getBoundingClientRect();
        if (rect.width < kMinSize || rect.height < kMinSize || opacityOf(element, view) < kMinOpacity)
            return false;
        return reachable(element, rect, view) && !clippedAway(element, rect, view) && hitAtCentre(element, view);
    }

    function plainlyVisible(element) {
        if (element.type === 'hidden')
            return false;
        for (let node = element; node;) {
            const view = node.ownerDocument.defaultView;
            if (view.origin !== window.origin || !seenInDocument(node))
                return false;
            if (view === window)
                return true;
            node = view.frameElement;
        }
        return false;
    }

    return { plainlyVisible: plainlyVisible };
})();
