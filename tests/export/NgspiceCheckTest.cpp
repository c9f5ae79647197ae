// The SPICE model in a real simulator: ngspice in batch mode (installed by
// scripts/install-deps.sh), on the model `korvell spice` writes, against the analysis's figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <regex>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "export/SpiceBench.h"
#include "platform/Format.h"

namespace korvell {
namespace {

using testing::analyzeOptions;
using testing::runNgspice;

struct BenchCase {
    const char* name;
    const char* options;
    double onVolts, offVolts;  // across the winding in the buck stage
};
const BenchCase kCases[] = {
    {"DC-biased toroid",
     "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100",
     12, 5},
    {"stacked E-core",
     "--app dc --part E100-21 --stack 2 --turns 30 --wire #17 --current 10 --von 20 --voff 12 "
     "--frequency 100",
     20, 12},
    // The largest ripple of the line cycle, where the input is half the output.
    {"PFC toroid",
     "--app pfc --part T157-21 --turns 80 --wire #16 --current 5 --vin-peak 311 --vout 400 "
     "--frequency 100",
     200, 200},
};
// The table follows the curve within 0.4 % of inductance; the simulator's integration adds a
// little.
constexpr double kInductanceTolerance = 0.01;
constexpr double kRippleTolerance = 0.03;
constexpr double kDropTolerance = 0.001;  // R × I plus λ over the 1 TΩ leak
constexpr double kVoltageFloor = 1e-6;    // the simulator's absolute voltage tolerance

// The currents the inductance is checked at, in design currents: light load and start-up too.
constexpr double kBiases[] = {1, 2, 0.1, 0.02, 0};
constexpr int kBiasCount = std::size(kBiases);
// A current source starts at I (the operating point) and visits each bias: at each a triangle of
// ±1 % of I, period T. v(a) at the middle of a falling and of a rising ramp, where the current
// is the bias, gives L = (v_up − v_down) / (2 slope), the resistance drops cancelling; v(a) at the
// end of a plateau gives the DC drop.
constexpr double kPeriod = 100e-6, kRamp = 500e-6, kPlateau = 200e-6;
constexpr double kSegment = 2 * kPeriod + kRamp + kPlateau;

std::string inductanceBench(const SpiceModel& m, const double (&bias)[kBiasCount]) {
    const double d = 0.01 * m.designCurrentA;
    std::string pwl = strprintf("0 %.9g", bias[0]), meas;
    for (int k = 0; k < kBiasCount; ++k) {
        const double t = k * kSegment, b = bias[k];
        for (const auto& [at, i] :
             {std::pair{0.25, b + d}, {0.75, b - d}, {1.25, b + d}, {1.75, b - d}, {2.0, b}})
            pwl += strprintf(" %.9g %.9g", t + at * kPeriod, i);
        if (k + 1 < kBiasCount) {
            pwl += strprintf(" %.9g %.9g %.9g %.9g", t + kSegment - kPlateau, bias[k + 1],
                             t + kSegment, bias[k + 1]);
        }
        meas += strprintf(
            ".meas tran vup%d FIND v(a) AT=%.9g\n.meas tran vdn%d FIND v(a) AT=%.9g\n"
            ".meas tran vdc%d FIND v(a) AT=%.9g\n",
            k, t + kPeriod, k, t + 1.5 * kPeriod, k, std::max(0.0, t - kPlateau / 10));
    }
    return "* inductance bench\n.include model.cir\nI1 0 a PWL(" + pwl + ")\nX1 a 0 " + m.name +
           strprintf("\n.tran %g %g 0 %g\n", kPeriod / 1000, kBiasCount * kSegment, kPeriod / 400) +
           meas + ".meas tran flux0 FIND v(x1.flux) AT=0\n.end\n";
}

// The buck stage: the switch node from R·I to V_on + V_off + R·I at D = V_off / (V_on + V_off)
// into a stiff V_off, so the inductance sees +V_on and −V_off about I. It starts at the valley
// current (.ic of the flux, uic); the ripple is the rise over the twentieth on-time.
std::string buckBench(const SpiceModel& m, const BenchCase& c, double f, double ripple) {
    const double period = 1 / f, duty = c.offVolts / (c.onVolts + c.offVolts);
    const double edge = period * 1e-4, drop = m.resistanceOhm * m.designCurrentA;
    const double t0 = 19 * period;
    return strprintf(
        "* buck stage\n.include model.cir\nVsw sw 0 PULSE(%.9g %.9g 0 %g %g %.9g %.9g)\n"
        "X1 sw out %s\nVout out 0 DC %g\n.ic v(x1.flux)=%.9g\n.tran %g %g 0 %g uic\n"
        ".meas tran ion FIND i(vout) AT=%.9g\n.meas tran ioff FIND i(vout) AT=%.9g\n.end\n",
        drop, c.onVolts + c.offVolts + drop, edge, edge, duty * period - edge, period,
        m.name.c_str(), c.offVolts, modelFluxAt(m, m.designCurrentA - ripple / 2) * kFluxNodeScale,
        period / 1000, 20 * period, period / 1000, t0 + edge, t0 + duty * period);
}

TEST(NgspiceCheck, ModelGivesTheAnalysisInductanceResistanceAndRipple) {
    for (const BenchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto design = analyzeOptions(c.options);
        ASSERT_TRUE(design);
        const SpiceModel& m = design->model;
        // The program writes the model the core makes, and that is what is simulated.
        std::string quoted = std::regex_replace(c.options, std::regex("(#\\d+)"), "'$1'");
        const auto program = testing::runProgram("spice " + quoted);
        ASSERT_EQ(program.out, spiceModelText(m, SpiceDialect::Ngspice)) << program.err;
        const std::regex complaint("warning|error", std::regex::icase);

        double bias[kBiasCount];
        for (int k = 0; k < kBiasCount; ++k)
            bias[k] = kBiases[k] * m.designCurrentA;
        const auto run = runNgspice(program.out, inductanceBench(m, bias));
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_FALSE(std::regex_search(run.output, complaint)) << run.output;
        ASSERT_EQ(run.values.size(), 3u * kBiasCount + 1) << run.output;
        // The operating point found by the simulator holds the flux of the current.
        EXPECT_NEAR(run.values.at("flux0") / kFluxNodeScale, modelFluxAt(m, bias[0]),
                    1e-6 * modelFluxAt(m, bias[0]));
        const double slope = 0.02 * m.designCurrentA / (kPeriod / 2);
        for (int k = 0; k < kBiasCount; ++k) {
            const auto at = analyzeOptions(std::regex_replace(
                c.options, std::regex("--current \\S+"), strprintf("--current %g", bias[k])));
            ASSERT_TRUE(at);
            const double analyzed = at->table.rows[0].value * 1e-6;
            const double simulated =
                (run.values.at(strprintf("vup%d", k)) - run.values.at(strprintf("vdn%d", k))) /
                (2 * slope);
            const double drop = run.values.at(strprintf("vdc%d", k));
            const double rI = design->record.dcResistance * bias[k];
            EXPECT_NEAR(simulated / analyzed, 1, kInductanceTolerance) << bias[k] << " A";
            EXPECT_NEAR(drop, rI, kDropTolerance * rI + kVoltageFloor) << bias[k] << " A";
            std::printf(
                "[ %s ] at %g A: L model %.5g uH, analysis %.5g uH; drop %.6g V, R x I "
                "%.6g V\n",
                c.name, bias[k], simulated * 1e6, analyzed * 1e6, drop, rI);
        }

        const double ripple = design->table.rows[3].value;
        const double f = 1000.0 * design->record.frequencyKhz;
        const auto buck = runNgspice(program.out, buckBench(m, c, f, ripple));
        ASSERT_EQ(buck.status, 0) << buck.output;
        EXPECT_FALSE(std::regex_search(buck.output, complaint)) << buck.output;
        ASSERT_EQ(buck.values.size(), 2u) << buck.output;
        // The rise over the flat top of the on-time, scaled to the whole on-time.
        const double onTime = c.offVolts / (c.onVolts + c.offVolts) / f;
        const double simulated =
            (buck.values.at("ioff") - buck.values.at("ion")) * onTime / (onTime - 1e-4 / f);
        EXPECT_NEAR(simulated / ripple, 1, kRippleTolerance) << simulated << " A";
        std::printf("[ %s ] ripple: model %.4g A p-p, analysis %.4g A p-p\n", c.name, simulated,
                    ripple);
    }
}

// A design of a random search of application `app`: requirements spread over decades, one of the
// stored designs picked at random, analyzed again as the analysis window loads it. None when the
// search stored nothing.
struct RandomDesign {
    std::string at;  // what it is, for the failure message
    SpiceModel model;
    double zeroCurrentH = 0;  // the analysis with the current field at 0
};
std::optional<RandomDesign> randomDesign(std::mt19937& random, int app) {
    const auto logUniform = [&random](double low, double decades) {
        return strprintf(
            "%.4g", low * std::pow(10.0, std::uniform_real_distribution(0.0, decades)(random)));
    };
    DesignRecord r;
    SilentMessages quiet;
    r.applicationType = static_cast<std::int8_t>(app);
    applyApplicationSelections(r);
    if (app != kWideSwing) r.coreShape = static_cast<std::int8_t>(random() % 3);
    // µH, no Rdc limit, current, swing inductance and current, volts, kHz.
    RequirementTexts t = requirementFieldTexts(r);
    t[0] = logUniform(5, 3);
    t[1] = "0";
    t[2] = logUniform(0.5, 1.5);
    t[3] = strprintf("%.4g", (2 + random() % 8) * std::stod(t[0]));
    t[4] = strprintf("%.4g", 0.1 * std::stod(t[2]));
    t[5] = logUniform(5, 2);
    t[6] = logUniform(2, 1.5);
    t[7] = app == kPowerline ? "60" : logUniform(20, 1.5);
    if (!acceptRequirements(r, quiet, t)) return std::nullopt;
    run_design_search(r, quiet);
    if (r.designCount <= 0) return std::nullopt;
    const int row = static_cast<int>(random() % static_cast<unsigned>(r.designCount));
    DesignRecord analyzed;
    AnalysisTable table;
    if (!analyzeResultsRow(r, row, quiet, analyzed, table)) return std::nullopt;
    const auto model = spiceModel(analyzed, table, analyzed.applicationType, false, quiet);
    if (!model) return std::nullopt;
    // The same design at no current, as korvell analyze --current 0 analyzes it.
    DesignRecord idle = r;
    idle.selectedDesign = row;
    AnalysisTexts texts;
    loadAnalysisInputs(idle, texts);
    texts[kCurrentField] = "0";
    AnalysisTable zero;
    if (!acceptAnalysisInputs(idle, quiet, texts) ||
        AnalyzeDesign(idle, quiet, zero, idle.applicationType) <= 0)
        return std::nullopt;
    RandomDesign d;
    d.at = strprintf("%s %s, %d turns of %s x %d, %g A",
                     std::string(kApplicationNames[app]).c_str(), model->partNumber.c_str(),
                     model->turns, model->wire.c_str(), model->strands, model->designCurrentA);
    d.model = *model;
    d.zeroCurrentH = zero.rows[0].value * 1e-6;
    return d;
}

TEST(NgspiceCheck, SmallSignalInductanceAtZeroCurrentIsTheAnalysisOverRandomDesigns) {
    constexpr int kDesignsPerApplication = 3;
    // The table's first step lies within 0.4 % of L(0); the simulator's integration adds a little.
    constexpr double kZeroCurrentTolerance = 0.01;
    std::mt19937 random(29);
    std::vector<RandomDesign> designs;
    for (int app = 0; app < kApplicationCount; ++app) {
        int found = 0;
        for (int attempt = 0; attempt < 20 && found < kDesignsPerApplication; ++attempt) {
            auto d = randomDesign(random, app);
            if (!d) continue;
            designs.push_back(std::move(*d));
            ++found;
        }
        EXPECT_EQ(found, kDesignsPerApplication) << kApplicationNames[app];
    }
    // Every design in one simulation: its own subcircuit (no core-loss resistor, which only
    // blurs the ramps of a large inductance) driven by its own triangle of ±0.1 % of its design
    // current about 0 A; L = (v_up − v_down) / (2 slope) at mid-ramp, where the current is 0.
    std::string models, bench = "* zero-current bench\n.include model.cir\n";
    for (std::size_t k = 0; k < designs.size(); ++k) {
        SpiceModel m = designs[k].model;
        m.name = strprintf("D%zu", k);
        m.coreLossOhm = 0;
        models += spiceModelText(m, SpiceDialect::Ngspice);
        const double d = 1e-3 * m.designCurrentA;
        bench += strprintf(
            "I%zu 0 a%zu PWL(0 0 %g %.9g %g %.9g %g %.9g %g %.9g %g 0)\nX%zu a%zu 0 D%zu\n"
            ".meas tran vup%zu FIND v(a%zu) AT=%g\n.meas tran vdn%zu FIND v(a%zu) AT=%g\n",
            k, k, 0.25 * kPeriod, d, 0.75 * kPeriod, -d, 1.25 * kPeriod, d, 1.75 * kPeriod, -d,
            2 * kPeriod, k, k, k, k, k, kPeriod, k, k, 1.5 * kPeriod);
    }
    bench += strprintf(".tran %g %g 0 %g\n.end\n", kPeriod / 1000, 2 * kPeriod, kPeriod / 400);
    const auto run = runNgspice(models, bench);
    ASSERT_EQ(run.status, 0) << run.output;
    ASSERT_EQ(run.values.size(), 2 * designs.size()) << run.output;
    for (std::size_t k = 0; k < designs.size(); ++k) {
        const RandomDesign& d = designs[k];
        const double slope = 4e-3 * d.model.designCurrentA / kPeriod;
        const double simulated =
            (run.values.at(strprintf("vup%zu", k)) - run.values.at(strprintf("vdn%zu", k))) /
            (2 * slope);
        EXPECT_NEAR(simulated / d.zeroCurrentH, 1, kZeroCurrentTolerance)
            << d.at << ": model " << simulated * 1e6 << " uH, analysis " << d.zeroCurrentH * 1e6
            << " uH";
    }
}

}  // namespace
}  // namespace korvell
