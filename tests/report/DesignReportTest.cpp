#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "cli/AnalysisOptions.h"
#include "cli/CliRun.h"
#include "report/DesignReport.h"
#include "support/PageChecks.h"
#include "support/PdfText.h"
#include "support/RecordingCanvas.h"
#include "support/SavedDesigns.h"

namespace korvell {
namespace {

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

// The design of an option line, analyzed as korvell report analyzes it.
ReportInput analyzed(const std::string& line) {
    CLI::App app;
    cli::AnalysisOptions options;
    cli::addAnalysisOptions(app, options);
    std::vector<std::string> args = testing::words(line);
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    std::ostringstream out, err;
    cli::CliContext context{out, err};
    cli::CliMessages messages(err);
    ReportInput input;
    EXPECT_TRUE(
        cli::analyzeFromOptions(options, context, messages, input.record, input.table, input.texts))
        << err.str();
    return input;
}

TEST(DesignReport, EachLimitIsMetOrNotAsTheDesignStandsAgainstIt) {
    // The buck's figures: 86.8 uH at 5 A, 36.5 mOhm, 20.8 C (22.2 C by the check), 20 % fill,
    // 325 cmil/A, 54 % permeability.
    struct Case {
        const char* name;
        void (*tighten)(DesignRecord&);
        const char* label;  // the limit that changes
        bool met;
    };
    const Case cases[] = {
        {"required inductance met", [](DesignRecord& r) { r.inductanceRequired = 0.0868f; },
         "INDUCTANCE AT 5 A", true},
        {"required inductance missed", [](DesignRecord& r) { r.inductanceRequired = 0.09f; },
         "INDUCTANCE AT 5 A", false},
        {"resistance limit missed", [](DesignRecord& r) { r.maxDcResistance = 0.03f; },
         "DC RESISTANCE", false},
        {"rise missed by the check only", [](DesignRecord& r) { r.maxTempRise = 21.5f; },
         "TEMPERATURE RISE BY THE CHECK", false},
        {"rise by the program met", [](DesignRecord& r) { r.maxTempRise = 21.5f; },
         "TEMPERATURE RISE", true},
        // The fill parameter is the first wire's target; the limit is the window itself.
        {"fill above its target", [](DesignRecord& r) { r.maxFillFactor = 0.15f; },
         "WINDOW FILL (TARGET 15 %)", true},
        {"copper area missed", [](DesignRecord& r) { r.minCopperAreaCma = 400; },
         "COPPER AREA PER AMPERE", false},
        {"permeability missed", [](DesignRecord& r) { r.minPercentPerm = 60; },
         "PERCENT PERMEABILITY", false},
    };
    const ReportInput base = analyzed(kBuck);
    // With the program's default limits every line is met, and there is none for a requirement
    // the options did not set.
    const auto limits = reportLimits(reportContext(base, {}));
    for (const ReportLimit& limit : limits) {
        EXPECT_TRUE(limit.met) << limit.label << " " << limit.value << " " << limit.limit;
        EXPECT_NE(limit.label, "DC RESISTANCE");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportInput input = base;
        c.tighten(input.record);
        const auto changed = reportLimits(reportContext(input, {}));
        const auto found = std::find_if(changed.begin(), changed.end(),
                                        [&](const ReportLimit& l) { return l.label == c.label; });
        ASSERT_NE(found, changed.end());
        EXPECT_EQ(found->met, c.met) << found->value << " " << found->limit;
    }
}

TEST(DesignReport, ControlledSwingHoldsItsInductanceAtMinimumCurrentBelowTheLimit) {
    ReportInput input = analyzed(
        "--app controlled-swing --part T106-21 --turns 40 --wire #18 --current 5 --von 12 "
        "--voff 5 --frequency 100");
    input.record.minCurrent = 1;
    for (const auto& [limitMh, met] : {std::pair{0.2f, true}, std::pair{0.1f, false}}) {
        input.record.inductanceAtMinCurrent = limitMh;
        const auto limits = reportLimits(reportContext(input, {}));
        const auto found = std::find_if(limits.begin(), limits.end(), [](const ReportLimit& l) {
            return l.label == "INDUCTANCE AT 1 A";
        });
        ASSERT_NE(found, limits.end());
        EXPECT_EQ(found->met, met) << found->value << " " << found->limit;
    }
}

TEST(DesignReport, EveryApplicationsDesignMeetsItsLimitsOnPagesWithoutOverlaps) {
    for (const test::SavedDesign& design : test::kSavedDesigns) {
        for (const PaperSize paper : {kA4Paper, kLetterPaper}) {
            SCOPED_TRACE(design.name);
            ReportOptions options;
            options.paper = paper;
            options.dateText = "Tue Dec  8 12:00:00 2026";
            const ReportContext context =
                reportContext(analyzed("--input " + test::savedDesignFile(design)), options);
            // A design the search stored meets the limits the search holds it to. (The analysis
            // may find its inductance a little short, the check its rise higher, and the wire
            // the search chose may fill the window beyond the fill parameter: the report says so.)
            const std::set<std::string> held = {"DC RESISTANCE", "TEMPERATURE RISE",
                                                "COPPER AREA PER AMPERE", "PERCENT PERMEABILITY"};
            for (const ReportLimit& limit : reportLimits(context)) {
                EXPECT_TRUE(!held.contains(limit.label) || limit.met)
                    << limit.label << " " << limit.value << " " << limit.limit;
            }
            // The winding shop's layers hold the turns, the last one not empty.
            std::map<std::string, std::string> shop;
            for (const ReportLine& line : windingInstructions(context))
                shop[line.label] = line.value;
            const int turns = std::stoi(shop.at("TURNS"));
            const int perLayer = std::stoi(shop.at("TURNS PER LAYER"));
            const int layers = std::stoi(shop.at("LAYERS"));
            EXPECT_GE(perLayer * layers, turns);
            EXPECT_LT(perLayer * (layers - 1), turns);
            EXPECT_EQ(turns, static_cast<int>(context.record.turns));
            const auto pages = designReportPages(context);
            ASSERT_GE(pages.size(), 5u);
            for (std::size_t k = 0; k < pages.size(); ++k) {
                const PaperSize size =
                    pages[k].landscape ? PaperSize{paper.heightPt, paper.widthPt} : paper;
                const int w = static_cast<int>(size.widthPt * 300 / 72);
                const int h = static_cast<int>(size.heightPt * 300 / 72);
                test::RecordingCanvas canvas(w, h, true);
                canvas.setDotsPerInch(300);
                drawReportPage(canvas, context, pages[k], static_cast<int>(k) + 1,
                               static_cast<int>(pages.size()));
                const std::string number =
                    "PAGE " + std::to_string(k + 1) + " OF " + std::to_string(pages.size());
                EXPECT_TRUE(std::any_of(canvas.texts.begin(), canvas.texts.end(),
                                        [&](const test::DrawnText& t) { return t.text == number; }))
                    << number;
                for (const std::string& fault : test::pageFaults(canvas, w, h))
                    ADD_FAILURE() << pages[k].heading << ": " << fault;
            }
        }
    }
}

TEST(DesignReport, PdfHoldsWhatTheShopNeedsOnPagesOfThePaperAsked) {
    const std::string path = ::testing::TempDir() + "korvell_report_test.pdf";
    std::filesystem::remove(path);
    const auto run = testing::runProgram(std::string("report ") +
                                         std::regex_replace(kBuck, std::regex("#18"), "'#18'") +
                                         " --output " + path);
    ASSERT_EQ(run.status, 0) << run.err;
    const int pages = test::pdfPageCount(path);
    EXPECT_GE(pages, 5);
    EXPECT_NE(test::pdfInfo(path).find("(A4)"), std::string::npos);
    const std::string text = test::pdfText(path);
    for (const char* fact :
         {"T106-21", "40 TURNS OF # 18 AWG", "INDUCTANCE AT 5 A", "86.81 uH",
          "TEMPERATURE RISE (CHECK)", "22.2 C", "WINDING INSTRUCTIONS", "TURNS PER LAYER",
          "WIRE LENGTH PER STRAND", "COPPER WEIGHT", ".subckt T106_21_40T_18_AWG 1 2",
          "Korvell Inductors 0.1.0",
          "ELECTRICAL PROPERTIES:", "SECOND OPINION:", "INDUCTANCE vs CURRENT",
          // The tolerance: L at the low end of Al, the yield's rows and its spread.
          "L MIN (AL -8 %)", "79.86 uH", "YIELD UNDER MANUFACTURING TOLERANCE",
          "INDUCTANCE SPREAD"}) {
        EXPECT_NE(text.find(fact), std::string::npos) << fact;
    }
    for (int k = 1; k <= pages; ++k) {
        const std::string number = "PAGE " + std::to_string(k) + " OF " + std::to_string(pages);
        EXPECT_NE(text.find(number), std::string::npos) << number;
    }

    const auto letter = testing::runProgram(std::string("report ") +
                                            std::regex_replace(kBuck, std::regex("#18"), "'#18'") +
                                            " --paper letter --output " + path);
    ASSERT_EQ(letter.status, 0) << letter.err;
    EXPECT_NE(test::pdfInfo(path).find("612 x 792 pts (letter)"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(DesignReport, RefusedInputOrAnUnwritablePathLeavesNoFile) {
    const std::string path = ::testing::TempDir() + "korvell_report_refused.pdf";
    std::filesystem::remove(path);
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"report", "--app", "dc", "--part", "T999-99", "--turns", "40", "--wire", "#18",
          "--current", "5", "--frequency", "100", "--output", path},
         cli::kExitRefused,
         "NOT IN THE CATALOG"},
        {{"report", "--app", "dc", "--part", "T106-21", "--turns", "4x0", "--wire", "#18",
          "--output", path},
         cli::kExitRefused,
         "DATA ENTRY ERROR"},
        {{"report", "--app", "dc", "--part", "T106-21", "--turns", "40", "--wire", "#18",
          "--current", "5", "--frequency", "100", "--output",
          ::testing::TempDir() + "no/such/folder/r.pdf"},
         cli::kExitFailure,
         "ERROR"},
    };
    for (const Case& c : cases) {
        const auto run = testing::runCli(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace korvell
