// The SPICE model in a real simulator: ngspice in batch mode (package ngspice, installed by
// scripts/install-deps.sh). The model is the one `korvell spice` writes; the figures it must give
// are the analysis's own.
#include <gtest/gtest.h>

#include <cmath>

#include "export/SpiceBench.h"
#include "platform/Format.h"

namespace korvell {
namespace {

using testing::analyseOptions;
using testing::runNgspice;
using testing::runProgram;
using testing::withOption;

// The three kinds of design the model must serve.
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
     "--app dc --part E100-21 --stack 2 --turns 30 --wire #14 --current 10 --von 20 --voff 12 "
     "--frequency 100",
     20, 12},
    // The largest ripple of the line cycle, where the input is half the output: 200 V on and off.
    {"PFC toroid",
     "--app pfc --part T157-21 --turns 80 --wire #16 --current 5 --vin-peak 311 --vout 400 "
     "--frequency 100",
     200, 200},
};

// The model's inductance is read from the ramps of a triangle, its resistance from a plateau;
// tabulation steps of 5 % of the design current leave well under this.
constexpr double kInductanceTolerance = 0.02;
constexpr double kRippleTolerance = 0.03;
// The drop is R × I plus the leak's λ / 1 TΩ.
constexpr double kDropTolerance = 0.001;

std::string modelOf(const BenchCase& c) {
    // Through the program and the shell, exactly as a user writes it.
    std::string quoted = c.options;
    for (const char* wire : {"#14", "#16", "#18"}) {
        const auto at = quoted.find(wire);
        if (at != std::string::npos) quoted.replace(at, 3, std::string("'") + wire + "'");
    }
    const auto run = runProgram("spice " + quoted);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// Bias levels 0, I and 2I in turn: at each a triangle of ±5 % of I (two periods of T), then a ramp
// to the next level and a plateau. v(a) is read at the middle of a falling and of a rising ramp,
// where the current is the bias, so the resistance drops cancel: L = (v_up − v_down) / (2 slope).
struct InductanceBench {
    double bias[3];
    double delta, period, ramp, plateau;
    double start[3];  // start of each triangle

    explicit InductanceBench(double current)
        : bias{0, current, 2 * current},
          delta(0.05 * current),
          period(100e-6),
          ramp(500e-6),
          plateau(200e-6) {
        for (int k = 0; k < 3; ++k)
            start[k] = k * (2 * period + ramp + plateau);
    }
    double slope() const { return 2 * delta / (period / 2); }

    std::string text(const std::string& name) const {
        std::string pwl = "0 0";
        for (int k = 0; k < 3; ++k) {
            const double t = start[k];
            const double b = bias[k];
            pwl += strprintf(" %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g", t + period / 4,
                             b + delta, t + 3 * period / 4, b - delta, t + 5 * period / 4,
                             b + delta, t + 7 * period / 4, b - delta, t + 2 * period, b);
            if (k < 2) {
                pwl += strprintf(" %.9g %.9g %.9g %.9g", t + 2 * period + ramp, bias[k + 1],
                                 start[k + 1], bias[k + 1]);
            }
        }
        std::string b = "* inductance and resistance bench\n.include model.cir\n";
        b += "I1 0 a PWL(" + pwl + ")\nX1 a 0 " + name + "\n";
        b += strprintf(".tran %.6g %.6g 0 %.6g\n", period / 1000, start[2] + 2 * period,
                       period / 400);
        for (int k = 0; k < 3; ++k) {
            b += strprintf(".meas tran vup%d FIND v(a) AT=%.9g\n", k, start[k] + period);
            b += strprintf(".meas tran vdn%d FIND v(a) AT=%.9g\n", k, start[k] + 1.5 * period);
            if (k > 0) b += strprintf(".meas tran vdc%d FIND v(a) AT=%.9g\n", k, start[k]);
        }
        return b + ".end\n";
    }
};

// The buck stage: the switch node from R·I to V_on + V_off + R·I at duty
// D = V_off / (V_on + V_off) into a stiff V_off output, so that the inductance sees +V_on and
// −V_off about the design current as the analysis has it. The run starts at the valley current
// (flux set by .ic, uic) and the ripple is read over the on-time of the twentieth period.
std::string buckBench(const SpiceModel& m, const BenchCase& c, double frequencyHz, double rippleA) {
    const double period = 1 / frequencyHz;
    const double duty = c.offVolts / (c.onVolts + c.offVolts);
    const double edge = period * 1e-4;
    const double drop = m.resistanceOhm * m.designCurrentA;
    const double valley = m.designCurrentA - rippleA / 2;
    const double t0 = 19 * period;
    std::string b = "* buck stage bench\n.include model.cir\n";
    b += strprintf("Vsw sw 0 PULSE(%.9g %.9g 0 %.9g %.9g %.9g %.9g)\n", drop,
                   c.onVolts + c.offVolts + drop, edge, edge, duty * period - edge, period);
    b += "X1 sw out " + m.name + "\n";
    b += strprintf("Vout out 0 DC %.9g\n", c.offVolts);
    b += strprintf(".ic v(x1.flux)=%.9g\n", modelFluxAt(m, valley) * kFluxNodeScale);
    b += strprintf(".tran %.6g %.6g 0 %.6g uic\n", period / 1000, 20 * period, period / 1000);
    b += strprintf(".meas tran ion FIND i(vout) AT=%.9g\n", t0 + edge);
    b += strprintf(".meas tran ioff FIND i(vout) AT=%.9g\n", t0 + duty * period);
    return b + ".end\n";
}

TEST(NgspiceCheck, ModelReproducesTheAnalysisInductanceResistanceAndRipple) {
    for (const BenchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto design = analyseOptions(c.options);
        ASSERT_TRUE(design);
        SilentMessages quiet;
        const auto model =
            spiceModel(design->record, design->table, design->record.applicationType, false, quiet);
        ASSERT_TRUE(model);
        const std::string text = modelOf(c);
        // The program writes the model the core makes.
        ASSERT_EQ(text, spiceModelText(*model, SpiceDialect::Ngspice));

        // The analysis's inductance at 0, I and 2I.
        const double current = model->designCurrentA;
        double analysed[3];
        for (int k = 0; k < 3; ++k) {
            const auto at =
                analyseOptions(withOption(c.options, "--current", strprintf("%g", k * current)));
            ASSERT_TRUE(at);
            analysed[k] = at->table.rows[0].value * 1e-6;
        }

        const InductanceBench bench(current);
        const auto run = runNgspice(text, bench.text(model->name));
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(testing::complaints(run.output), "");
        for (int k = 0; k < 3; ++k) {
            const auto up = run.values.find(strprintf("vup%d", k));
            const auto down = run.values.find(strprintf("vdn%d", k));
            ASSERT_TRUE(up != run.values.end() && down != run.values.end()) << run.output;
            const double simulated = (up->second - down->second) / (2 * bench.slope());
            EXPECT_NEAR(simulated / analysed[k], 1, kInductanceTolerance)
                << "at " << bench.bias[k] << " A: model " << simulated * 1e6 << " uH, analysis "
                << analysed[k] * 1e6 << " uH";
            std::printf("[ %s ] L(%g A): model %.5g uH, analysis %.5g uH\n", c.name, bench.bias[k],
                        simulated * 1e6, analysed[k] * 1e6);
            if (k == 0) continue;
            const double drop = run.values.at(strprintf("vdc%d", k));
            const double expected = design->record.dcResistance * bench.bias[k];
            EXPECT_NEAR(drop / expected, 1, kDropTolerance) << "at " << bench.bias[k] << " A";
            std::printf("[ %s ] DC drop at %g A: model %.6g V, Rdc x I %.6g V\n", c.name,
                        bench.bias[k], drop, expected);
        }

        const double ripple = design->table.rows[3].value;
        const double frequencyHz = 1000.0 * design->record.frequencyKhz;
        const auto buck = runNgspice(text, buckBench(*model, c, frequencyHz, ripple));
        ASSERT_EQ(buck.status, 0) << buck.output;
        EXPECT_EQ(testing::complaints(buck.output), "");
        ASSERT_TRUE(buck.values.contains("ion") && buck.values.contains("ioff")) << buck.output;
        // The rise over the flat top of the on-time, scaled to the whole on-time.
        const double duty = c.offVolts / (c.onVolts + c.offVolts);
        const double onTime = duty / frequencyHz;
        const double simulated = (buck.values.at("ioff") - buck.values.at("ion")) * onTime /
                                 (onTime - 1e-4 / frequencyHz);
        EXPECT_NEAR(simulated / ripple, 1, kRippleTolerance)
            << "model " << simulated << " A, analysis " << ripple << " A";
        std::printf("[ %s ] ripple: model %.4g A p-p, analysis %.4g A p-p\n", c.name, simulated,
                    ripple);
    }
}

TEST(NgspiceCheck, ModelParsesAndHoldsItsDcOperatingPoint) {
    // Without uic the simulator finds the operating point itself: the winding a short behind its
    // resistance, the flux node at λ of the current.
    for (const BenchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto design = analyseOptions(c.options);
        ASSERT_TRUE(design);
        SilentMessages quiet;
        const auto model =
            spiceModel(design->record, design->table, design->record.applicationType, false, quiet);
        ASSERT_TRUE(model);
        const double current = model->designCurrentA;
        const std::string bench = strprintf(
            "* operating point\n.include model.cir\nI1 0 a DC %.9g\nX1 a 0 %s\n.op\n.control\nrun\n"
            "print v(a) v(x1.flux)\n.endc\n.end\n",
            current, model->name.c_str());
        const auto run = runNgspice(spiceModelText(*model, SpiceDialect::Ngspice), bench);
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(testing::complaints(run.output), "");
        ASSERT_TRUE(run.values.contains("v(a)") && run.values.contains("v(x1.flux)")) << run.output;
        EXPECT_NEAR(run.values.at("v(a)"), model->resistanceOhm * current,
                    kDropTolerance * model->resistanceOhm * current);
        EXPECT_NEAR(run.values.at("v(x1.flux)"), modelFluxAt(*model, current) * kFluxNodeScale,
                    1e-6 * modelFluxAt(*model, current) * kFluxNodeScale);
    }
}

}  // namespace
}  // namespace korvell
