#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// How deeply the HTML parser will nest a page's elements, found without
// parsing it, so that a page no real site has can be refused before the parser
// spends its time on it: at every tag the parser may look through all the
// elements open at the time, so its time grows with their number times the
// number of tags.
//
// The estimate keeps the elements the parser would hold open. A start tag that
// needs an end tag opens one; an end tag closes what the parser would close and
// changes nothing where the parser ignores it (an element that is not open, or
// one behind a table, an object or a block element that the end tag does not
// reach past). Formatting elements (b, i, font, ...) that close without their
// own end tag stay counted, as the parser opens them again. Where the parser
// may close more than is certain here, the estimate stays higher, never lower.
// Comments and the text of scripts, styles, text areas and titles are passed
// over; the page is read once, without copying it.
struct MarkupNesting {
    std::size_t deepest = 0; // the most elements open at once
    std::uint64_t work = 0; // the elements open at each tag, summed over the tags
};

// Reads the markup up to its end, or until more than `maxDepth` elements are open.
MarkupNesting markupNesting(std::string_view html, std::size_t maxDepth);
