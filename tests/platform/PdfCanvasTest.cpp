#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileAccess.h"
#include "platform/PdfCanvas.h"
#include "support/PdfText.h"

namespace korvell {
namespace {

TEST(PdfCanvas, TextsThatAreNotWellFormedUtf8AreDrawnAsQuestionMarksAndBlanks) {
    const std::pair<std::string, std::string> cases[] = {
        {"T106-21 \xc2\xb5H", "T106-21 \xc2\xb5H"},  // µ stays
        {"bad \xff byte", "bad ? byte"},
        {"cut \xe2\x82", "cut ??"},
        {"line\nbreak\ttab", "line break tab"},
        {"\xed\xa0\x80", "???"},  // a surrogate is no character
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(printableUtf8(text), shown);
}

TEST(PdfCanvas, PagesKeepTheirOwnSizesAndHostileTextLeavesTheDocumentWhole) {
    PdfCanvas pdf;
    pdf.setDocumentInfo("TITLE \xff", "TEST");
    pdf.beginPage(kA4Paper);
    EXPECT_EQ(pdf.width(), 2480);  // 8.27 in at 300 dots per inch
    pdf.setFont(FontSpec{"Arial", 50});
    pdf.textOut(300, 300, "FIRST PAGE \xff\xfe");
    EXPECT_GT(pdf.textWidth("FIRST"), 0);
    EXPECT_LT(pdf.textWidth("FIRST"), pdf.textWidth("FIRST PAGE"));
    pdf.beginPage({kLetterPaper.heightPt, kLetterPaper.widthPt});
    EXPECT_EQ(pdf.width(), 3300);
    pdf.setPen(colors::kRed, 3);
    pdf.moveTo(10, 10);
    pdf.lineTo(500, 500);
    pdf.lineTo(900, 10);
    pdf.textOut(300, 600, "SECOND PAGE");
    std::string error;
    const auto bytes = pdf.finish(error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_EQ(pdf.pageCount(), 2);
    EXPECT_FALSE(pdf.finish(error));

    const std::string path = ::testing::TempDir() + "korvell_pdf_canvas.pdf";
    ASSERT_FALSE(writeFileAtomically(path, *bytes));
    EXPECT_EQ(test::pdfPageCount(path), 2);
    const std::string info = test::commandOutput("pdfinfo -f 1 -l 2 '" + path + "'");
    EXPECT_NE(info.find("595.276 x 841.89 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("792 x 612 pts (letter)"), std::string::npos) << info;
    const std::string text = test::pdfText(path);
    EXPECT_NE(text.find("FIRST PAGE ??"), std::string::npos) << text;
    EXPECT_NE(text.find("SECOND PAGE"), std::string::npos) << text;
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace korvell
