#include <gtest/gtest.h>

#include "platform/SvgCanvas.h"
#include "support/SvgDocument.h"

namespace korvell {
namespace {

FontSpec font(int height, bool bold = false) {
    FontSpec f;
    f.height = height;
    f.bold = bold;
    return f;
}

TEST(SvgCanvas, ConnectedStrokesInOnePenAreOnePolyline) {
    SvgCanvas canvas(200, 100);
    canvas.setPen(colors::kRed, 1);
    canvas.moveTo(10, 10);
    for (int x : {20, 30, 40})
        canvas.lineTo(x, x);
    canvas.moveTo(50, 50);  // a lifted pen starts a new element
    canvas.lineTo(60, 60);
    canvas.lineTo(70, 50);
    canvas.setPen(colors::kBlack, 2);  // so does another pen
    canvas.lineTo(80, 50);
    canvas.moveTo(0, 0);
    canvas.moveTo(1, 1);  // moves alone draw nothing

    KORVELL_PARSE_SVG(svg, canvas.document());
    EXPECT_EQ(svg.count("polyline", "#ff0000"), 2u);
    ASSERT_EQ(svg.count("line", "#000000"), 1u);
    for (const auto& e : svg.elements) {
        if (e.tag == "polyline" && e.attribute("points").rfind("10,10", 0) == 0) {
            EXPECT_EQ(e.attribute("points"), "10,10 20,20 30,30 40,40");
        }
        if (e.tag == "line") {
            EXPECT_EQ(e.attribute("x1"), "70");
            EXPECT_EQ(e.attribute("x2"), "80");
            EXPECT_EQ(e.attribute("stroke-width"), "2");
        }
    }
}

TEST(SvgCanvas, AnyTextMakesAWellFormedDocument) {
    SvgCanvas canvas(300, 100);
    canvas.setFont(font(12));
    const std::string nasty = std::string("<a & \"b\" 'c'> \x01\t\n\x7f ") + "\xff\xc3" +
                              "\xed\xa0\x80 \xef\xbf\xbe" + " \xc2\xb5H";
    canvas.textOut(5, 5, nasty);
    canvas.textOut(5, 30, "  1");

    KORVELL_PARSE_SVG(svg, canvas.document());
    const auto texts = svg.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "<a & \"b\" 'c'>      ????? ??? \xc2\xb5H");
    EXPECT_EQ(texts[1], "  1");  // the blanks of "%3.0f" numbers are kept
}

TEST(SvgCanvas, TextIsPlacedByItsCellAndMeasuredInLiberationSans) {
    SvgCanvas canvas(400, 300);
    canvas.setFont(font(2048));
    // Arial's figures are 1139 of 2048 units wide in both weights.
    EXPECT_EQ(canvas.textWidth("10"), 2 * 1139);
    EXPECT_EQ(canvas.textHeight("x"), 1854 + 434);
    canvas.setFont(font(2048, true));
    EXPECT_EQ(canvas.textWidth("10"), 2 * 1139);
    const int boldWidth = canvas.textWidth("mW");
    canvas.setFont(font(2048));
    EXPECT_LT(canvas.textWidth("mW"), boldWidth);

    canvas.setFont(font(20));
    EXPECT_EQ(canvas.textWidth("100"), 33);  // 3 * 1139 * 20 / 2048 = 33.4
    EXPECT_EQ(canvas.textWidth("\xc2\xb5"), canvas.textWidth("?"));
    canvas.textOut(7, 40, "100");
    KORVELL_PARSE_SVG(svg, canvas.document());
    for (const auto& e : svg.elements) {
        if (e.tag != "text") continue;
        EXPECT_EQ(e.attribute("x"), "7");
        EXPECT_EQ(e.attribute("y"), "58");  // baseline: 40 + 1854 * 20 / 2048
        EXPECT_EQ(e.attribute("font-size"), "20");
    }
}

TEST(SvgCanvas, IsAWhiteSheetOfItsSizeWithItsFills) {
    SvgCanvas canvas(0, 250000, true);
    EXPECT_TRUE(canvas.isPrinter());
    EXPECT_EQ(canvas.width(), 1);
    EXPECT_EQ(canvas.height(), 100000);
    SvgCanvas page(640, 480);
    page.setBrushColor(colors::kSilver);
    page.fillRect(6, 0, 634, 480);
    page.fillRect(0, 0, -5, 10);  // nothing to fill
    KORVELL_PARSE_SVG(svg, page.document());
    ASSERT_EQ(svg.count("rect"), 2u);
    EXPECT_EQ(svg.elements[0].attribute("width"), "640");
    EXPECT_EQ(svg.elements[1].attribute("fill"), "#ffffff");
    EXPECT_EQ(svg.elements[2].attribute("fill"), "#c0c0c0");
}

}  // namespace
}  // namespace korvell
