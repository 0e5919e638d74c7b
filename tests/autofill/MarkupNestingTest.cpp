// The nesting estimate must never fall short of what the parser holds open, or
// a page made to nest deep reaches the parser, whose time grows with the depth
// at every tag.

#include "autofill/MarkupNesting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::size_t kUnits = 1000;

struct Case {
    const char* before; // once, at the start
    const char* unit; // then this, kUnits times; "#" stands for the count
    std::size_t perUnit; // how much deeper each unit leaves the parser
};

std::string page(const Case& shape)
{
    std::string html = shape.before;
    for (std::size_t count = 0; count < kUnits; ++count) {
        std::string unit = shape.unit;
        if (const std::size_t at = unit.find('#'); at != std::string::npos)
            unit.replace(at, 1, std::to_string(count));
        html += unit;
    }
    return html;
}

TEST(MarkupNestingTest, CountsWhatTheParserKeepsOpen)
{
    const Case cases[] = {
        // End tags the parser ignores: nothing of the name is open, or a block,
        // an object or a heading stands between.
        { "", "<div></i>", 1 },
        { "", "<span><div></span>", 2 },
        { "", "<div><object></div>", 2 },
        { "", "<h1><div><h2></h1>", 2 },
        // A form's end tag leaves open what was opened inside it.
        { "", "<form><span></form>", 2 },
        // Cells outside a table are dropped; inside SVG a cell is an element of its own.
        { "", "<td><div>", 1 },
        { "<table><td><svg>", "<td>", 1 },
        // Formatting closed by a block is opened again at the next tag.
        { "", "<div><b id=#></div><span>", 2 },
        // What only looks like a script, a comment or a title's text.
        { "<a title=\"<script>\">", "<div></i>", 1 },
        { "<!-->", "<div>", 1 },
        { "<svg><title>", "<div></i>", 1 },
        // Pages that close what they open stay shallow.
        { "", "<div><p>text<br><b>bold</b></div>", 0 },
        { "", "<table><tr><td><font>cell</td><td>cell</td></tr></table>", 0 },
        { "<svg>", "<path d=\"M0 0\"/>", 0 },
        { "", "<script>for (i = 0; i < 9; ++i) document.write('<div>');</script>", 0 },
        { "", "<textarea><div></TEXTAREA ><!-- <div> --><select><option>a</select>", 0 },
    };
    for (const Case& shape : cases) {
        const MarkupNesting nesting = markupNesting(page(shape), 1'000'000);
        EXPECT_GE(nesting.deepest, shape.perUnit * kUnits) << shape.before << shape.unit;
        EXPECT_LE(nesting.deepest, shape.perUnit * kUnits + 4) << shape.before << shape.unit;
    }
    // Every tag counts the elements open at it; reading stops once the limit is passed.
    EXPECT_EQ(markupNesting(page({ "", "<div>", 0 }), 1'000'000).work, kUnits * (kUnits + 1) / 2);
    EXPECT_EQ(markupNesting(page({ "", "<div>", 0 }), 10).deepest, 11u);
}

} // namespace
