#include <gtest/gtest.h>

#include "analysis/ResultsCheck.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

DesignRecord searched(DesignRecord r) {
    SilentMessages quiet;
    run_design_search(r, quiet);
    return r;
}

// Every design of a search checked once: its figures are its second opinion's, and its LIMIT
// says OVER exactly where the checked rise passes the limit or the hot resistance the maximum.
TEST(ResultsCheck, EachDesignCarriesItsSecondOpinionAndItsLimitVerdict) {
    struct Case {
        const char* name;
        DesignRecord record;
        float maxRise;
        float maxRdc;
    };
    const DesignRecord buck = searched(testing::buckFilter());
    const DesignRecord swing = searched(testing::controlledSwing());
    for (const auto& [name, record, maxRise, maxRdc] :
         {Case{"buck", buck, 40, 0}, Case{"cool limit", buck, 5, 0},
          Case{"resistance limit", buck, 200, 0.01f}, Case{"swing", swing, 40, 0}}) {
        DesignRecord r = record;
        r.maxTempRise = maxRise;
        r.maxDcResistance = maxRdc;
        ASSERT_GT(r.designCount, 5) << name;
        const ResultsCheck check = checkResults(r);
        ASSERT_EQ(check.designs.size(), static_cast<std::size_t>(r.designCount)) << name;
        EXPECT_TRUE(check.isFor(r));
        int over = 0;
        for (int i = 0; i < r.designCount; ++i) {
            const DesignCheck& d = check.designs[static_cast<std::size_t>(i)];
            const auto opinion = secondOpinionOfResultsRow(r, i);
            ASSERT_TRUE(d.analyzed && opinion) << name << " " << i;
            EXPECT_DOUBLE_EQ(d.tempRiseC, opinion->tempRiseC);
            EXPECT_DOUBLE_EQ(d.rdcHotOhm, opinion->rdcHotOhm);
            EXPECT_DOUBLE_EQ(d.totalLossW, opinion->totalLossW);
            // The search asked for the inductance at the design current.
            EXPECT_GE(d.inductanceUh, 1000 * r.inductanceRequired * 0.98) << name << " " << i;
            const bool expectOver = !opinion->converged || opinion->tempRiseC > maxRise ||
                                    (maxRdc > 0 && opinion->rdcHotOhm > maxRdc);
            EXPECT_EQ(d.overLimit, expectOver) << name << " " << i;
            EXPECT_EQ(checkCellText(d, checkColumns().size() - 1), expectOver ? "OVER" : "OK");
            over += d.overLimit;
            // Only the swinging choke is held to an inductance at its minimum current, larger
            // with less DC bias.
            EXPECT_EQ(d.inductanceAtMinUh.has_value(), record.applicationType == kControlledSwing);
            if (d.inductanceAtMinUh) {
                EXPECT_GT(*d.inductanceAtMinUh, d.inductanceUh);
            }
        }
        if (maxRise < 10 || maxRdc > 0) {
            EXPECT_EQ(over, r.designCount) << name;
        }
    }
}

TEST(ResultsCheck, ANewSearchOrChangedLimitNeedsANewCheck) {
    DesignRecord r = searched(testing::buckFilter());
    const ResultsCheck check = checkResults(r);
    r.selectedDesign = 3;  // scrolling is no new search
    EXPECT_TRUE(check.isFor(r));
    DesignRecord other = r;
    other.maxTempRise = 20;
    EXPECT_FALSE(check.isFor(other));
    other = r;
    other.designResults[0].turns += 1;
    EXPECT_FALSE(check.isFor(other));
    // A design that cannot be analyzed again reads "-" in every column.
    EXPECT_EQ(checkCellText(DesignCheck{}, 0), "-");
}

}  // namespace
}  // namespace korvell
