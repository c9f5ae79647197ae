#include <gtest/gtest.h>

#include "pages/CoverPage.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

using test::RecordingCanvas;

TEST(CoverPage, SixLinesAtTheirHeightsOnBlack) {
    RecordingCanvas canvas(1280, 1024);
    drawCoverPage(canvas);
    ASSERT_FALSE(canvas.fills.empty());
    EXPECT_EQ(canvas.fills.front().color, colors::kBlack);
    EXPECT_EQ(canvas.fills.front().w, 1280);
    EXPECT_EQ(canvas.fills.front().h, 1024);

    ASSERT_EQ(canvas.texts.size(), 6u);
    // B = 128: heights B, B, B / 3, 2B / 3, 2B / 3 from y = 128; the last line H / 3 further on.
    const int tops[6] = {128, 256, 384, 426, 511, 937};
    const int heights[6] = {128, 128, 42, 85, 85, 42};
    for (int i = 0; i < 6; ++i) {
        const auto& t = canvas.texts[static_cast<std::size_t>(i)];
        EXPECT_EQ(t.text, kCoverLines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(t.y, tops[i]) << i;
        EXPECT_EQ(t.font.height, heights[i]) << i;
        if (i < 5) {
            EXPECT_EQ(t.font.name, "Impact");
            EXPECT_EQ(t.font.color, colors::kRed);
            const int width = static_cast<int>(t.text.size()) * heights[i] * 6 / 10;
            EXPECT_EQ(t.x, (1280 - width) / 2) << i;
        }
    }
    EXPECT_EQ(canvas.texts[3].text, "Korvell");
    EXPECT_EQ(canvas.texts[5].x, 704);  // 0.55 of the width
    EXPECT_EQ(canvas.texts[5].font.name, "Arial");
    EXPECT_EQ(canvas.texts[5].font.color, colors::kWhite);
}

TEST(CoverPage, RepaintingDrawsTheSameLinesAgain) {
    RecordingCanvas first(1024, 768);
    RecordingCanvas second(1024, 768);
    drawCoverPage(first);
    drawCoverPage(second);
    ASSERT_EQ(first.texts.size(), second.texts.size());
    for (std::size_t i = 0; i < first.texts.size(); ++i) {
        EXPECT_EQ(first.texts[i].x, second.texts[i].x);
        EXPECT_EQ(first.texts[i].y, second.texts[i].y);
    }
}

TEST(CoverPage, LogoStaysInsideItsPictureAndShowsAWoundCore) {
    const Rect area = coverPicturePlacement(1280, 1024);
    EXPECT_EQ(area, (Rect{320, 665, 640, 215}));
    RecordingCanvas canvas(1280, 1024);
    drawKorvellLogo(canvas, area);
    ASSERT_FALSE(canvas.fills.empty());
    for (const auto& f : canvas.fills) {
        EXPECT_GE(f.x, area.left);
        EXPECT_LE(f.x + f.w, area.left + area.width);
        EXPECT_GE(f.y, area.top);
        EXPECT_LT(f.y, area.top + area.height);
    }
    int copper = 0;
    for (const auto& l : canvas.lines) {
        for (const auto& [x, y] : {std::pair{l.x0, l.y0}, std::pair{l.x1, l.y1}}) {
            EXPECT_GE(x, area.left);
            EXPECT_LE(x, area.left + area.width);
            EXPECT_GE(y, area.top);
            EXPECT_LE(y, area.top + area.height);
        }
        if (l.color.r > 150 && l.color.g > 80 && l.color.b < 100) ++copper;
    }
    EXPECT_GE(copper, 15);  // a line across the face of every turn
    ASSERT_NE(canvas.find("KORVELL"), nullptr);
    EXPECT_LE(canvas.find("KORVELL")->x + canvas.textWidth("KORVELL"), area.left + area.width);
}

TEST(CoverPage, TinyOrEmptyPicturesDrawNothingAmiss) {
    for (const Rect area : {Rect{0, 0, 0, 0}, Rect{5, 5, 3, 3}, Rect{0, 0, 40, 10}}) {
        RecordingCanvas canvas(100, 100);
        drawKorvellLogo(canvas, area);
        for (const auto& f : canvas.fills)
            EXPECT_LE(f.x + f.w, area.left + area.width);
    }
}

}  // namespace
}  // namespace korvell
