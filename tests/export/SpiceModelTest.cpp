#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "analysis/SecondOpinion.h"
#include "export/SpiceBench.h"

namespace korvell {
namespace {

using testing::analyseOptions;

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

SpiceModel modelOf(const std::string& options, bool hot = false) {
    const auto design = analyseOptions(options);
    EXPECT_TRUE(design) << options;
    SilentMessages quiet;
    const auto model =
        spiceModel(design->record, design->table, design->record.applicationType, hot, quiet);
    EXPECT_TRUE(model) << options;
    return *model;
}

TEST(SpiceModel, NamesHoldLettersDigitsAndUnderscoresOnly) {
    struct Case {
        std::string partNumber;
        int stack, turns;
        std::string wire;
        int strands;
        std::string name;
    };
    const Case cases[] = {
        {"T106-21", 1, 40, "# 18 AWG", 1, "T106_21_40T_18_AWG"},
        {"E100-21", 2, 30, "# 14 AWG", 3, "E100_21X2_30T_14_AWG_X3"},
        {"E150-13/Q102", 1, 12, "0.50 METRIC", 1, "E150_13_Q102_12T_0_50_METRIC"},
        {"T80-2*\"x\"; .end", 1, 5, "#00", 1, "T80_2_X_END_5T_00"},
        {"", 1, 7, "# 0000 AWG", 1, "L_7T_0000_AWG"},
        {"1T\xc3\xa9-5", 1, 9, "#20", 1, "L_1T_5_9T_20"},
    };
    for (const Case& c : cases) {
        const std::string name =
            spiceSubcircuitName(c.partNumber, c.stack, c.turns, c.wire, c.strands);
        EXPECT_EQ(name, c.name) << c.partNumber;
        EXPECT_TRUE(std::regex_match(name, std::regex("[A-Z][A-Z0-9_]*[A-Z0-9]"))) << name;
    }
    EXPECT_EQ(spiceName("--"), "L");
}

TEST(SpiceModel, FluxTableIsOddSymmetricAndSpansThreeDesignCurrents) {
    const SpiceModel m = modelOf(kBuck);
    ASSERT_GE(m.table.size(), 40u);
    EXPECT_EQ(m.table.front().currentA, 0);
    EXPECT_GE(m.table.back().currentA, 3 * m.designCurrentA);
    for (std::size_t k = 1; k < m.table.size(); ++k) {
        EXPECT_GT(m.table[k].currentA, m.table[k - 1].currentA);
        EXPECT_GT(m.table[k].fluxVs, m.table[k - 1].fluxVs);
    }
    for (const double i : {0.3, 5.0, 12.7, 25.0}) {
        EXPECT_DOUBLE_EQ(modelFluxAt(m, -i), -modelFluxAt(m, i));
        EXPECT_NEAR(modelCurrentAt(m, modelFluxAt(m, i)), i, 1e-9 * i);
    }
    // Iron powder softens with bias: each step carries less flux than the one before it.
    for (std::size_t k = 2; k < m.table.size(); ++k) {
        EXPECT_LT(m.table[k].fluxVs - m.table[k - 1].fluxVs,
                  m.table[k - 1].fluxVs - m.table[k - 2].fluxVs);
    }
}

TEST(SpiceModel, SlopeOfTheTableIsTheAnalysisInductance) {
    // dλ/di at the design current and the inductance the analysis shows, for a single and a
    // stacked core.
    for (const char* options :
         {kBuck,
          "--app dc --part E100-21 --stack 2 --turns 30 --wire #14 --current 10 --von 20 "
          "--voff 12 --frequency 100"}) {
        const auto design = analyseOptions(options);
        ASSERT_TRUE(design);
        const SpiceModel m = modelOf(options);
        const double h = 0.01 * m.designCurrentA;
        const double slope =
            (modelFluxAt(m, m.designCurrentA + h) - modelFluxAt(m, m.designCurrentA - h)) / (2 * h);
        const double analysed = design->table.rows[0].value * 1e-6;
        EXPECT_NEAR(slope / analysed, 1, 0.01) << options;
        EXPECT_NEAR(m.inductanceFullH / analysed, 1, 1e-6) << options;
        EXPECT_GT(m.inductanceZeroH, m.inductanceFullH);
    }
}

TEST(SpiceModel, CoreLossResistanceDissipatesTheCoreLossAtTheOperatingVoltage) {
    // A DC-biased choke sees +V_on for D = V_off / (V_on + V_off) and −V_off for the rest.
    const SpiceModel m = modelOf(kBuck);
    const double duty = 5.0 / 17;
    const double meanSquare = duty * 12 * 12 + (1 - duty) * 5 * 5;
    ASSERT_GT(m.coreLossW, 0);
    EXPECT_NEAR(meanSquare / m.coreLossOhm, m.coreLossW, 1e-6 * m.coreLossW);

    // PFC: v_in |sin θ| on, v_in − V_out off, over the half line cycle.
    const SpiceModel pfc = modelOf(
        "--app pfc --part T157-21 --turns 80 --wire #16 --current 5 --vin-peak 311 --vout 400 "
        "--frequency 100");
    constexpr double kPi = 3.14159265358979323846;
    double sum = 0;
    constexpr int kAngles = 10000;
    for (int k = 0; k < kAngles; ++k) {
        const double v = 311 * std::sin(kPi * (k + 0.5) / kAngles);
        const double d = 1 - v / 400;
        sum += d * v * v + (1 - d) * (400 - v) * (400 - v);
    }
    EXPECT_NEAR(sum / kAngles / pfc.coreLossOhm, pfc.coreLossW, 1e-3 * pfc.coreLossW);
}

TEST(SpiceModel, HotTakesTheSecondOpinionsWindingResistance) {
    const auto design = analyseOptions(kBuck);
    ASSERT_TRUE(design);
    const SecondOpinion opinion = secondOpinion(design->record, kDcBiased);
    ASSERT_TRUE(opinion.converged);
    const SpiceModel cold = modelOf(kBuck);
    const SpiceModel hot = modelOf(kBuck, true);
    EXPECT_FLOAT_EQ(static_cast<float>(cold.resistanceOhm), design->record.dcResistance);
    EXPECT_DOUBLE_EQ(hot.resistanceOhm, opinion.rdcHotOhm);
    EXPECT_GT(hot.resistanceOhm, cold.resistanceOhm);
    EXPECT_NE(spiceModelText(hot, SpiceDialect::Ngspice).find("hot (second opinion)"),
              std::string::npos);
}

TEST(SpiceModel, TextsHoldTheHeaderAndOneSubcircuitInEachDialect) {
    const SpiceModel m = modelOf(kBuck);
    for (const SpiceDialect dialect : {SpiceDialect::Ngspice, SpiceDialect::Ltspice}) {
        const std::string text = spiceModelText(m, dialect);
        std::istringstream lines(text);
        int subcircuits = 0, ends = 0;
        for (std::string l; std::getline(lines, l);) {
            // Every line a comment, a continuation, an element or a dot command, none too long.
            EXPECT_TRUE(std::regex_match(l, std::regex(R"([*+.RLBGC].*)"))) << l;
            EXPECT_LE(l.size(), 100u) << l;
            subcircuits += l.starts_with(".subckt T106_21_40T_18_AWG 1 2");
            ends += l == ".ends T106_21_40T_18_AWG";
        }
        EXPECT_EQ(subcircuits, 1);
        EXPECT_EQ(ends, 1);
        for (const char* fact :
             {"T106-21", "40 turns of # 18 AWG", "1 strand", "86.8", "162", "Rdc = 0.0365",
              "core loss 0.0585", "Korvell Inductors 0.1.0", "rectangular +12 V / -5 V"}) {
            EXPECT_NE(text.find(fact), std::string::npos) << fact;
        }
        const bool lt = dialect == SpiceDialect::Ltspice;
        EXPECT_EQ(text.find("Flux=table(x,") != std::string::npos, lt);
        EXPECT_EQ(text.find("I=pwl(V(flux),") != std::string::npos, !lt);
    }
}

TEST(SpiceModel, FileNameIsThePartNumberWithoutPathCharacters) {
    SpiceModel m;
    m.partNumber = "E150-13/Q102";
    EXPECT_EQ(spiceFileName(m), "E150-13_Q102.cir");
    m.partNumber = "T106-21";
    EXPECT_EQ(spiceFileName(m), "T106-21.cir");
}

}  // namespace
}  // namespace korvell
