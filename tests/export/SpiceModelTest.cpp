#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "analysis/SecondOpinion.h"
#include "export/SpiceBench.h"

namespace korvell {
namespace {

using testing::analyzeOptions;

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

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
        {"1T\xc3\xa9-5", 1, 9, "#20", 1, "L_1T_5_9T_20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spiceSubcircuitName(c.partNumber, c.stack, c.turns, c.wire, c.strands), c.name);
    SpiceModel m;
    m.partNumber = "E150-13/Q102";
    EXPECT_EQ(spiceFileName(m), "E150-13_Q102.cir");
}

TEST(SpiceModel, FluxTableIsOddSymmetricSofteningAndSpansThreeDesignCurrents) {
    const SpiceModel m = analyzeOptions(kBuck)->model;
    ASSERT_GE(m.table.size(), 40u);
    EXPECT_GE(m.table.back().currentA, 3 * m.designCurrentA);
    // Iron powder softens with bias: each step's inductance is below the one before it.
    const auto slope = [&m](std::size_t k) {
        return (m.table[k].fluxVs - m.table[k - 1].fluxVs) /
               (m.table[k].currentA - m.table[k - 1].currentA);
    };
    for (std::size_t k = 2; k < m.table.size(); ++k)
        EXPECT_LT(slope(k), slope(k - 1));
    for (const double i : {0.3, 5.0, 12.7, 25.0}) {
        EXPECT_DOUBLE_EQ(modelFluxAt(m, -i), -modelFluxAt(m, i));
        EXPECT_NEAR(modelCurrentAt(m, modelFluxAt(m, i)), i, 1e-9 * i);
    }
}

TEST(SpiceModel, CoreLossResistanceDissipatesTheCoreLossAtTheOperatingVoltage) {
    // +V_on for D = V_off / (V_on + V_off), −V_off for the rest.
    const SpiceModel m = analyzeOptions(kBuck)->model;
    const double duty = 5.0 / 17;
    ASSERT_GT(m.coreLossW, 0);
    EXPECT_NEAR((duty * 144 + (1 - duty) * 25) / m.coreLossOhm, m.coreLossW, 1e-6 * m.coreLossW);
    // PFC: v = 311 |sin θ| on for D = 1 − v / 400, v − 400 for the rest, over the line cycle.
    const SpiceModel pfc = analyzeOptions(
                               "--app pfc --part T157-21 --turns 80 --wire #16 "
                               "--current 5 --vin-peak 311 --vout 400 --frequency 100")
                               ->model;
    double sum = 0;
    for (int k = 0; k < 10000; ++k) {
        const double v = 311 * std::sin(3.14159265358979 * (k + 0.5) / 10000);
        sum += (1 - v / 400) * v * v + v / 400 * (400 - v) * (400 - v);
    }
    EXPECT_NEAR(sum / 10000 / pfc.coreLossOhm, pfc.coreLossW, 1e-3 * pfc.coreLossW);
}

TEST(SpiceModel, HotTakesTheSecondOpinionsWindingResistance) {
    const auto cold = analyzeOptions(kBuck);
    const auto hot = analyzeOptions(kBuck, true);
    const SecondOpinion opinion = secondOpinion(cold->record, kDcBiased);
    ASSERT_TRUE(opinion.converged);
    EXPECT_FLOAT_EQ(static_cast<float>(cold->model.resistanceOhm), cold->record.dcResistance);
    EXPECT_DOUBLE_EQ(hot->model.resistanceOhm, opinion.rdcHotOhm);
    EXPECT_GT(hot->model.resistanceOhm, cold->model.resistanceOhm);
}

TEST(SpiceModel, TextsHoldTheHeaderAndOneSubcircuitInEachDialect) {
    const SpiceModel m = analyzeOptions(kBuck)->model;
    SpiceModel odd = m;
    odd.partNumber = "T106-21\n.end\r";
    // Texts quoted in comments never start a line of their own.
    const auto lines = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    EXPECT_EQ(lines(spiceModelText(odd, SpiceDialect::Ngspice)),
              lines(spiceModelText(m, SpiceDialect::Ngspice)));
    for (const SpiceDialect dialect : {SpiceDialect::Ngspice, SpiceDialect::Ltspice}) {
        const std::string text = spiceModelText(m, dialect);
        // Comments, continuations, elements and the subcircuit's two dot lines, nothing else.
        std::string kinds;  // one letter a line: c comment, s .subckt, e element, x .ends
        std::istringstream netlist(text);
        for (std::string line; std::getline(netlist, line);) {
            kinds += line.starts_with("*")                      ? 'c'
                     : line == ".subckt T106_21_40T_18_AWG 1 2" ? 's'
                     : line == ".ends T106_21_40T_18_AWG"       ? 'x'
                     : !line.empty() && std::string("+RLBGC").find(line[0]) != std::string::npos
                         ? 'e'
                         : '?';
        }
        EXPECT_TRUE(std::regex_match(kinds, std::regex("c+se+x"))) << kinds;
        EXPECT_EQ(text.back(), '\n');
        for (const char* fact :
             {"core T106-21, 40 turns of # 18 AWG, 1 strand", "162.005 uH at 0 A",
              "86.8061 uH at 5 A", "Rdc = 0.0365487", "core loss 0.05852 W",
              "Korvell Inductors 0.1.0", "rectangular +12 V / -5 V"}) {
            EXPECT_NE(text.find(fact), std::string::npos) << fact;
        }
        const bool lt = dialect == SpiceDialect::Ltspice;
        EXPECT_EQ(text.find("L1 3 2 Flux=table(x,") != std::string::npos, lt);
        EXPECT_EQ(text.find("Bw 3 2 I=pwl(V(flux),") != std::string::npos, !lt);
    }
}

}  // namespace
}  // namespace korvell
