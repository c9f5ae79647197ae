#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <regex>

#include "engine/DesignSearch.h"
#include "explore/DesignSpace.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using namespace korvell::testing;

struct SweepCase {
    const char* name;
    std::function<DesignRecord()> requirements;
    int stackMax;
    int strandsMax;
};

const SweepCase kSweepCases[] = {
    {"buck", [] { return buckFilter(); }, 4, 8},
    {"controlled swing", [] { return controlledSwing(); }, 2, 3},
    {"wide swing", [] { return wideSwing(); }, 2, 3},
    {"pfc", [] { return pfcBoost(); }, 3, 2},
    {"powerline", [] { return powerlineChoke(); }, 2, 2},
    {"resonant", [] { return resonantInductor(); }, 2, 3},
};

// Every combination's designs are the ordinary search's rows for that combination, field for
// field, in catalog order: the first forty of them, and all of them when the search ends
// before forty.
TEST(DesignSpace, EachCombinationGivesTheOrdinarySearchRows) {
    for (const auto& c : kSweepCases) {
        SCOPED_TRACE(c.name);
        const DesignRecord base = c.requirements();
        ExploreSettings settings;
        settings.stackMax = c.stackMax;
        settings.strandsMax = c.strandsMax;
        settings.threads = 2;
        const DesignSpace space = explore_design_space(base, settings);
        std::size_t compared = 0;
        for (const std::int8_t shape : exploredShapes(base.applicationType)) {
            for (int stack = 1; stack <= c.stackMax; ++stack) {
                for (int strands = 1; strands <= c.strandsMax; ++strands) {
                    for (const std::int8_t winding : exploredWindings(base.applicationType)) {
                        SCOPED_TRACE(::testing::Message()
                                     << "shape " << int{shape} << " stack " << stack << " strands "
                                     << strands << " winding " << int{winding});
                        DesignRecord r = base;
                        r.coreShape = shape;
                        r.stackedCores = stack;
                        r.wireStrands = strands;
                        r.windingMode = winding;
                        SilentMessages quiet;
                        run_design_search(r, quiet);
                        std::vector<const ExploredDesign*> mine;
                        for (const auto& d : space.designs) {
                            if (d.shape == shape && d.stack == stack && d.strands == strands &&
                                d.winding == winding) {
                                mine.push_back(&d);
                            }
                        }
                        if (r.designCount < kMaxDesigns) {
                            ASSERT_EQ(mine.size(), static_cast<std::size_t>(r.designCount));
                        } else {
                            ASSERT_GE(mine.size(), static_cast<std::size_t>(kMaxDesigns));
                        }
                        for (int i = 0; i < r.designCount; ++i) {
                            ASSERT_EQ(mine[i]->result, r.designResults[i]) << i;
                            ASSERT_EQ(mine[i]->wire, r.designWires[i]) << i;
                            ASSERT_EQ(mine[i]->dimensions, r.designDimensions[i]) << i;
                        }
                        compared += static_cast<std::size_t>(r.designCount);
                    }
                }
            }
        }
        EXPECT_GT(compared, 0U);
    }
}

TEST(DesignSpace, OneThreadAndSeveralGiveTheSameSpace) {
    for (const auto& c : kSweepCases) {
        SCOPED_TRACE(c.name);
        ExploreSettings settings;
        settings.stackMax = 2;
        settings.strandsMax = 4;
        settings.threads = 1;
        const DesignSpace one = explore_design_space(c.requirements(), settings);
        settings.threads = 5;
        const DesignSpace several = explore_design_space(c.requirements(), settings);
        EXPECT_EQ(one.designs, several.designs);
        EXPECT_EQ(one.front, several.front);
        EXPECT_EQ(one.refused, several.refused);
    }
}

// Designs made up with objective values (price, loss, size, rise) to test the front alone.
ExploredDesign madeUp(float price, float lossW, float size, float rise) {
    ExploredDesign d;
    d.result.price = price;
    d.result.coreLossW = lossW;
    d.result.surfaceArea = size;
    d.result.tempRise = rise;
    return d;
}

TEST(DesignSpace, FrontKeepsEveryDesignNothingBeatsAndTies) {
    using O = Objective;
    struct Case {
        const char* name;
        std::vector<ExploredDesign> designs;
        std::vector<Objective> objectives;
        std::vector<std::size_t> front;
    };
    const Case cases[] = {
        {"a chain: the first beats all",
         {madeUp(1, 1, 1, 0), madeUp(2, 2, 2, 0), madeUp(3, 3, 3, 0)},
         {O::Price, O::Loss, O::Size},
         {0}},
        {"a trade-off: each best on one",
         {madeUp(1, 3, 5, 0), madeUp(3, 1, 5, 0), madeUp(2, 2, 5, 0)},
         {O::Price, O::Loss},
         {0, 1, 2}},
        {"equal on every objective: both stay",
         {madeUp(2, 2, 2, 0), madeUp(2, 2, 2, 9), madeUp(3, 2, 2, 0)},
         {O::Price, O::Loss, O::Size},
         {0, 1}},
        {"equal on one, better on another: beaten",
         {madeUp(2, 1, 9, 0), madeUp(2, 2, 1, 0)},
         {O::Price, O::Loss},
         {0}},
        {"the third objective saves it",
         {madeUp(2, 1, 9, 0), madeUp(2, 2, 1, 0)},
         {O::Price, O::Loss, O::Size},
         {0, 1}},
        {"temperature rise counts when chosen",
         {madeUp(1, 1, 1, 40), madeUp(1, 1, 1, 20)},
         {O::Price, O::TempRise},
         {1}},
        {"four objectives, equal pair and a trade-off",
         {madeUp(1, 1, 1, 1), madeUp(1, 1, 1, 1), madeUp(1, 1, 1, 2), madeUp(0, 5, 5, 5)},
         {O::Price, O::Loss, O::Size, O::TempRise},
         {0, 1, 3}},
        {"dominated only through a dominated design",
         {madeUp(3, 3, 0, 0), madeUp(2, 2, 0, 0), madeUp(1, 1, 0, 0)},
         {O::Price, O::Loss},
         {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto designs = c.designs;
        EXPECT_EQ(tradeOffFront(designs, c.objectives), c.front);
        for (std::size_t i = 0; i < designs.size(); ++i) {
            const bool listed = std::find(c.front.begin(), c.front.end(), i) != c.front.end();
            EXPECT_EQ(designs[i].onFront, listed) << i;
        }
    }
}

// On a real space, for two, three and four objectives: no front design is dominated, and
// every design off the front is.
TEST(DesignSpace, FrontOfARealSpaceIsExactlyTheUndominated) {
    using O = Objective;
    const std::vector<std::vector<Objective>> objectiveSets = {
        {O::Price, O::Loss},
        {O::Price, O::Loss, O::TempRise},
        {O::Size, O::Price, O::Loss, O::TempRise},
    };
    for (const auto& objectives : objectiveSets) {
        SCOPED_TRACE(objectives.size());
        ExploreSettings settings;
        settings.stackMax = 2;
        settings.strandsMax = 3;
        settings.objectives = objectives;
        const DesignSpace space = explore_design_space(buckFilter(), settings);
        ASSERT_FALSE(space.front.empty());
        const auto dominates = [&](const ExploredDesign& a, const ExploredDesign& b) {
            bool better = false;
            for (const Objective o : objectives) {
                if (a.objective(o) > b.objective(o)) return false;
                better = better || a.objective(o) < b.objective(o);
            }
            return better;
        };
        std::size_t onFront = 0;
        for (const auto& d : space.designs) {
            const bool beaten =
                std::any_of(space.designs.begin(), space.designs.end(),
                            [&](const ExploredDesign& o) { return dominates(o, d); });
            ASSERT_EQ(d.onFront, !beaten) << d.result.partNumber;
            onFront += d.onFront ? 1 : 0;
        }
        EXPECT_EQ(onFront, space.front.size());
    }
}

// The thinned front on real spaces: every front design is within (1 + epsilon) of a listed one
// on every objective, the listed designs are front designs, cheapest first, and they stand for
// the whole front between them; epsilon 0 lists every front design but exact copies.
TEST(DesignSpace, ThinnedFrontCoversTheWholeFrontWithinEpsilon) {
    using O = Objective;
    struct Case {
        const char* name;
        std::function<DesignRecord()> requirements;
        std::vector<Objective> objectives;
        double epsilon;
        bool thins;  // the front holds near-copies within epsilon
    };
    const Case cases[] = {
        {"buck, three objectives",
         [] { return buckFilter(); },
         {O::Price, O::Loss, O::Size},
         0.01,
         true},
        {"buck, four objectives, 5 %",
         [] { return buckFilter(); },
         {O::Price, O::Loss, O::Size, O::TempRise},
         0.05,
         true},
        {"pfc, price and loss", [] { return pfcBoost(); }, {O::Price, O::Loss}, 0.01, false},
        {"powerline, size and rise",
         [] { return powerlineChoke(); },
         {O::Size, O::TempRise},
         0.02,
         false},
        {"buck, no thinning", [] { return buckFilter(); }, {O::Price, O::Loss, O::Size}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExploreSettings settings;
        settings.stackMax = 2;
        settings.strandsMax = 4;
        settings.objectives = c.objectives;
        settings.epsilon = c.epsilon;
        const DesignSpace space = explore_design_space(c.requirements(), settings);
        ASSERT_FALSE(space.listed.empty());
        const auto covers = [&](const ExploredDesign& l, const ExploredDesign& f) {
            for (const Objective o : c.objectives) {
                if (!(l.objective(o) <= (1 + c.epsilon) * f.objective(o))) return false;
            }
            return true;
        };
        std::size_t stoodFor = 0;
        for (std::size_t k = 0; k < space.listed.size(); ++k) {
            const ExploredDesign& l = space.designs[space.listed[k]];
            EXPECT_TRUE(l.onFront && l.listed);
            stoodFor += 1 + static_cast<std::size_t>(l.similar);
            if (k > 0) {
                EXPECT_LE(space.designs[space.listed[k - 1]].result.price, l.result.price);
            }
        }
        EXPECT_EQ(stoodFor, space.front.size());
        for (const std::size_t f : space.front) {
            const bool covered = std::any_of(
                space.listed.begin(), space.listed.end(),
                [&](std::size_t l) { return covers(space.designs[l], space.designs[f]); });
            ASSERT_TRUE(covered) << space.designs[f].result.partNumber;
        }
        EXPECT_LE(space.listed.size(), space.front.size());
        if (c.thins) {
            EXPECT_LT(space.listed.size(), space.front.size());
        }
        if (c.epsilon == 0) {
            EXPECT_EQ(space.listed.size(), space.front.size());
        }
    }
}

// The second opinion's figures: absent from a sweep that does not ask for them, present (and no
// smaller than the program's own) when asked for or when a check objective is chosen; a
// choice of objectives afterwards moves the front without sweeping again.
TEST(DesignSpace, CheckFiguresComeOnlyWhenAskedFor) {
    using O = Objective;
    ExploreSettings settings;
    settings.stackMax = 1;
    settings.strandsMax = 2;
    const DesignSpace plain = explore_design_space(buckFilter(), settings);
    ASSERT_FALSE(plain.designs.empty());
    EXPECT_FALSE(plain.checkFigures);
    for (const auto& d : plain.designs)
        EXPECT_TRUE(std::isnan(d.checkTotalLossW));
    settings.objectives = {O::Price, O::CheckRise};
    DesignSpace checked = explore_design_space(buckFilter(), settings);
    EXPECT_TRUE(checked.checkFigures);
    ASSERT_EQ(checked.designs.size(), plain.designs.size());
    for (const auto& d : checked.designs) {
        ASSERT_FALSE(std::isnan(d.checkTotalLossW)) << d.result.partNumber;
        EXPECT_GE(d.checkTotalLossW, d.totalLossW() * 0.999);
        EXPECT_GE(d.checkTempRiseC, d.result.tempRise * 0.999);
    }
    chooseObjectives(checked, {O::Price, O::Loss, O::Size}, 0);
    std::vector<ExploredDesign> copies = checked.designs;
    EXPECT_EQ(checked.front, tradeOffFront(copies, {O::Price, O::Loss, O::Size}));
    EXPECT_EQ(checked.listed.size(), checked.front.size());
    // Nor are the refused cores walked when not asked for.
    settings.refusals = false;
    DesignRecord cool = buckFilter();
    cool.maxTempRise = 8;
    EXPECT_TRUE(explore_design_space(cool, settings).refused.empty());
    settings.refusals = true;
    EXPECT_FALSE(explore_design_space(cool, settings).refused.empty());
    for (const char* name : {"PRICE", "Check-Loss", "check-temp"})
        EXPECT_TRUE(objectiveNamed(name).has_value()) << name;
    EXPECT_FALSE(objectiveNamed("weight").has_value());
}

// Why not smaller: the cores before each shape's smallest design, each with the limit that
// refused it, as the screening and the winding report it.
TEST(DesignSpace, RefusedCoresSayWhichLimitRefusedThem) {
    struct Case {
        const char* name;
        std::function<DesignRecord()> requirements;
        const char* pattern;  // the reason, or its sscanf pattern with two figures
        bool above;           // the first figure exceeds the second
    };
    const Case cases[] = {
        {"cool limit",
         [] {
             DesignRecord r = buckFilter();
             r.maxTempRise = 8;
             return r;
         },
         "TEMPERATURE RISE %f > %f DEG C", true},
        {"heavy current",
         [] {
             DesignRecord r = buckFilter();
             r.maxCurrent = 30;
             r.minCopperAreaCma = 600;
             return r;
         },
         "COPPER %f < %f CMIL", false},
        {"one layer of many turns",
         [] {
             DesignRecord r = buckFilter(kToroid, kSingleLayer);
             r.inductanceRequired = 2;
             return r;
         },
         "NO WIRE FITS", false},
        {"high permeability floor",
         [] {
             DesignRecord r = buckFilter();
             r.minPercentPerm = 80;
             return r;
         },
         "PERMEABILITY %f %% < %f %%", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DesignSpace space = explore_design_space(c.requirements(), {});
        int matched = 0;
        for (const auto& refusal : space.refused) {
            EXPECT_EQ(refusal.text(), refusal.partNumber + ": " + refusal.reason);
            float figure = 0;
            float limit = 0;
            if (refusal.reason == c.pattern) {
                ++matched;  // a refusal without figures
                continue;
            }
            if (std::sscanf(refusal.reason.c_str(), c.pattern, &figure, &limit) != 2) continue;
            ++matched;
            EXPECT_EQ(figure > limit, c.above) << refusal.text();
            EXPECT_EQ(figure < limit, !c.above) << refusal.text();
        }
        EXPECT_GT(matched, 0);
        // No reason contradicts its own figures: every "A > B" has A above B, every "A < B"
        // A below B, whatever the limit.
        const std::regex comparison(R"(([0-9.]+) [^0-9<>]*([<>]) ([0-9.]+))");
        for (const auto& refusal : space.refused) {
            for (std::sregex_iterator m(refusal.reason.begin(), refusal.reason.end(), comparison);
                 m != std::sregex_iterator(); ++m) {
                const double a = std::stod((*m)[1]);
                const double b = std::stod((*m)[3]);
                EXPECT_TRUE((*m)[2] == ">" ? a > b : a < b) << refusal.text();
            }
        }
        // Every refused core comes before its shape's smallest design.
        for (const auto& refusal : space.refused) {
            for (const auto& d : space.designs) {
                if (d.shape == refusal.shape) {
                    EXPECT_LT(refusal.catalogIndex, d.catalogIndex);
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvell
