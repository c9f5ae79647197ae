#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "cli/CliRun.h"
#include "support/SvgDocument.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;
using testing::words;

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

TEST(PlotCommand, MaterialGraphOfEveryMaterialGoesToStandardOutput) {
    const auto result = runProgram("plot --kind 2");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    KORVELL_PARSE_SVG(svg, result.out);
    EXPECT_EQ(svg.elements[0].tag, "svg");
    EXPECT_EQ(svg.count("polyline", "#ff0000"), 14u);  // one curve per material
    for (const char* text : {"PERCENT INITIAL PERMEABILITY vs DC BIAS", "DC BIAS IN OERSTEADS", "%",
                             "PERM", "-11", "-39", "  1", "  1k", "100"}) {
        EXPECT_TRUE(svg.hasText(text)) << text;
    }
}

TEST(PlotCommand, OneMaterialAndCompositeAxis) {
    const auto result = runCli(words("plot --kind 2 --material -411"));
    ASSERT_EQ(result.status, 0) << result.err;
    KORVELL_PARSE_SVG(svg, result.out);
    EXPECT_EQ(svg.count("polyline", "#ff0000"), 1u);
    EXPECT_TRUE(svg.hasText("-411"));
    EXPECT_TRUE(svg.hasText("0.1"));

    // A material without a curve of the kind: the page holds its captions, and the user is told.
    const auto none = runCli(words("plot --kind 3 --material -413"));
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_NE(none.err.find("NOTE: no curve"), std::string::npos);
    KORVELL_PARSE_SVG(empty, none.out);
    EXPECT_EQ(empty.count("polyline", "#ff0000"), 0u);
    EXPECT_TRUE(empty.hasText("PERCENT PERMEABILITY vs AC FLUX DENSITY"));
}

TEST(PlotCommand, GraphOfAnAnalyzedDesignIntoAFile) {
    const std::string path =
        ::testing::TempDir() + "korvell_plot_" + std::to_string(getpid()) + ".svg";
    const auto result = runCli(words("plot --kind 7 " + std::string(kBuck) + " --output " + path));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.empty());
    std::ifstream file(path);
    const std::string document((std::istreambuf_iterator<char>(file)), {});
    std::remove(path.c_str());
    KORVELL_PARSE_SVG(svg, document);
    EXPECT_EQ(svg.count("polyline", "#ff0000"), 1u);
    EXPECT_TRUE(svg.hasText(" CORE:  T106-21:   40 Turns,    87 uH @ 5.0 Amperes"));
    EXPECT_TRUE(svg.hasText("INDUCTANCE vs CURRENT"));
    std::size_t crossStrokes = 0;
    for (const auto& e : svg.elements)
        if (e.tag == "line" && e.attribute("stroke-width") == "2") ++crossStrokes;
    EXPECT_EQ(crossStrokes, 2u);

    for (const char* kind : {"8", "9"}) {
        const auto aging = runCli(words(std::string("plot --kind ") + kind + " " + kBuck));
        ASSERT_EQ(aging.status, 0) << aging.err;
        KORVELL_PARSE_SVG(page, aging.out);
        EXPECT_EQ(page.count("polyline", "#ff0000"), 1u) << kind;
        EXPECT_TRUE(page.hasText("TIME IN HOURS")) << kind;
    }
}

TEST(PlotCommand, RefusesInputAsTheAnalysisDoes) {
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"plot --kind 0", "DATA ENTRY ERROR: GRAPH KIND 0 IS NOT A GRAPH; USE 1 TO 10"},
        {"plot --kind 11", "DATA ENTRY ERROR: GRAPH KIND 11"},
        {"plot --kind 7 --seed 3 " + std::string(kBuck), "ERROR: --yield, --seed, --ambient"},
        {"plot --kind 8 --inductance 80 " + std::string(kBuck), "ERROR: --yield, --seed, --amb"},
        {"plot --kind 4 --material -99", "DATA ENTRY ERROR: UNRECOGNIZED MATERIAL -99"},
        {"plot --kind 2 --turns 40", "ERROR: --turns describes a design"},
        {"plot --kind 7 --material -21 " + std::string(kBuck), "ERROR: --material is for"},
        {"plot --kind 7 --turns 40", "ERROR: --part (or --input) is required"},
        {"plot --kind 7 --part T106-21 --turns 4o --wire #18",
         "DATA ENTRY ERROR: INVALID CHARACTER  2 in Parameter 3.  4o "},
        {"plot --kind 9 --part T107-21 --turns 40 --wire #18",
         "ERROR: Core P/N T107-21 NOT IN THE CATALOG"},
        {"plot --kind 8 --app powerline --part T106-21 --turns 40 --wire #18 --von 5",
         "ERROR: --von does not apply"},
        {"plot --kind 7 --part T106-21 --turns 40 --wire #18 --fill 120",
         "PARAMETER OUT OF RANGE ERROR: Parameter 3."},
        {"plot", "ERROR: "},
    };
    for (const auto& c : cases) {
        const auto result = runCli(words(c.args));
        EXPECT_EQ(result.status, 2) << c.args;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << c.args << "\n" << result.err;
        EXPECT_TRUE(result.out.empty()) << c.args;
    }
}

TEST(PlotCommand, UnwritableOutputIsAFailureAndLeavesNoFragment) {
    const std::pair<const char*, const char*> cases[] = {
        {"/nonexistent-folder/graph.svg", "ITS FOLDER DOES NOT TAKE FILES"},
        {"/dev/full", "IT IS NOT A REGULAR FILE"},
    };
    for (const auto& [path, why] : cases) {
        const auto result = runCli(words(std::string("plot --kind 1 --output ") + path));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.rfind(std::string("ERROR: THE FILE ") + path, 0), 0u) << result.err;
        EXPECT_NE(result.err.find(why), std::string::npos) << result.err;
    }
}

// Standard output that cannot take the whole output is a failure of the command, whichever.
TEST(PlotCommand, EveryCommandFailsWhenItsOutputCannotBeWritten) {
    for (const char* command : {"catalog --json", "plot --kind 2", "wire --gage 18 --csv"}) {
        for (const char* redirect : {" >/dev/full", " >&-"}) {
            const auto result = runProgram(std::string(command) + redirect);
            EXPECT_EQ(result.status, 1) << command << redirect;
            EXPECT_NE(result.err.find("ERROR: THE OUTPUT COULD NOT BE WRITTEN WHOLE"),
                      std::string::npos)
                << command << redirect << ": " << result.err;
        }
    }
}

}  // namespace
}  // namespace korvell
