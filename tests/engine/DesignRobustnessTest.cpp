// Odd requirements through the whole path: the requirements window's checks, then the search
// (or the analysis window's checks, then the analysis). Nothing may crash, and nothing stored
// may be NaN or infinite: refused input gets a message, impossible input ends without designs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "files/DesignFile.h"

namespace korvell {
namespace {

// Field texts a user might leave: sensible values, zero, tiny, huge, negative, blank, junk.
std::string oddText(std::mt19937& random) {
    static const char* const pool[] = {
        "0",   "1", "5",  "100",    "0.0001", "1e3",     "-5",
        "",    " ", ".",  "12.5.6", "abc",    "1000000", "99999999999999999999",
        "0.5", "3", "60", "250",    "400",    "0.01"};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(pool)) - 1);
    std::uniform_int_distribution<int> coin(0, 2);
    if (coin(random) == 0) {
        std::uniform_real_distribution<double> decade(-3, 4);
        return std::to_string(std::pow(10.0, decade(random)));
    }
    return pool[pick(random)];
}

void expectFiniteResults(const DesignRecord& r) {
    for (int i = 0; i < std::min(r.designCount, kMaxDesigns); ++i) {
        const DesignResult& d = r.designResults[i];
        for (float v : {d.price, d.al, d.fillPercent, d.rdc, d.rac, d.bac, d.percentPerm,
                        d.coreLossW, d.copperLossW, d.tempRise, d.build, d.woundOd, d.woundId,
                        d.woundHeight, d.surfaceArea, d.coreVolume}) {
            ASSERT_TRUE(std::isfinite(v)) << d.partNumber;
        }
        ASSERT_GT(d.turns, 0) << d.partNumber;
    }
}

TEST(DesignRobustness, OddRequirementsNeverCrashOrStoreNonFiniteResults) {
    std::mt19937 random(20261208);
    int searched = 0;
    int refused = 0;
    // Odd frequencies are refused too (none, or 0): enough iterations for twenty searches.
    for (int iteration = 0; iteration < 240; ++iteration) {
        DesignRecord r;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        r.coreShape = static_cast<std::int8_t>((iteration / 6) % 3);
        r.windingMode = static_cast<std::int8_t>((iteration / 18) % 2);
        RequirementTexts texts = requirementFieldTexts(r);
        for (int field = 0; field < 8; ++field)
            texts[field] = oddText(random);
        if (iteration % 4 == 0) texts[10] = "3";  // stranded windings now and then
        SilentMessages silent;
        RecordingMessages messages;
        if (!acceptRequirements(r, messages, texts)) {
            ASSERT_EQ(messages.size(), 1u);
            ++refused;
            continue;
        }
        run_design_search(r, silent);
        ++searched;
        expectFiniteResults(r);
        // Whatever a search stores, its design file reads back.
        DesignRecord again;
        EXPECT_EQ(readDesignFile(designFileText(r), again), std::nullopt);
        if (r.designCount < kMaxDesigns) {
            EXPECT_EQ(r.designResults[r.designCount].partNumber, kEndOfCatalogMarker);
        }
    }
    EXPECT_GT(searched, 20);
    EXPECT_GT(refused, 20);
}

TEST(DesignRobustness, OddAnalysisEntriesNeverCrashOrStoreNonFiniteResults) {
    std::mt19937 random(8122026);
    const char* const parts[] = {"T106-21", "E150-13", "ST157-411", "T80-22", "T520-39", "T12-11"};
    const char* const wires[] = {"#18", "0000", "#40", "#10", "2.9", "#52", "#0"};
    int analyzed = 0;
    for (int iteration = 0; iteration < 200; ++iteration) {
        DesignRecord r;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        AnalysisTexts texts;
        texts[0] = parts[iteration % std::size(parts)];
        texts[1] = iteration % 5 == 0 ? "2" : "1";
        texts[2] = wires[(iteration / 3) % std::size(wires)];
        texts[3] = oddText(random);
        for (int field = 4; field <= 7; ++field)
            texts[field] = oddText(random);
        // Ambient temperatures beyond -200..250 °C are refused; most entries keep a sound one.
        texts[8] = iteration % 3 == 0 ? oddText(random) : "25";
        texts[9] = iteration % 7 == 0 ? "4" : "1";
        SilentMessages messages;
        if (!acceptAnalysisInputs(r, messages, texts)) continue;
        AnalysisTable table;
        if (AnalyzeDesign(r, messages, table, r.applicationType) != 1) continue;
        ++analyzed;
        for (const auto& row : table.rows)
            ASSERT_TRUE(std::isfinite(row.value)) << row.label;
    }
    // Many odd entries make windings with more copper than the window holds, or results beyond
    // single precision; those are refused.
    EXPECT_GT(analyzed, 12);
}

}  // namespace
}  // namespace korvell
