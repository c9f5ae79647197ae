// A SPICE subcircuit of an analyzed inductor for circuit simulation: the winding's flux linkage
// against current from the program's own DC-bias permeability (inductance falling with current,
// stacked cores included), the winding resistance in series and a core-loss resistance in
// parallel. Written for ngspice (behavioural current source over an integrated flux node, nothing
// a single simulator's library provides) or in LTspice syntax (an inductor with Flux=table(...)).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Analysis.h"
#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

enum class SpiceDialect { Ngspice, Ltspice };

// Tabulation of the flux linkage out to kSpiceCurrentMultiple design currents, mirrored for
// negative current. Steps are at most 1/kSpiceStepsPerCurrent of the design current, and halved
// where the inductance changes by more than kSpiceInductanceStep (a fraction) across one, up to
// kSpiceAccurateMultiple design currents (kSpiceOuterInductanceStep beyond): the simulator's
// inductance at a current is the slope of the step that holds it, the mean of the curve over the
// step, so it stays within about half that change of the curve where it bends fastest (near zero
// current on a steep swinging choke). Halving stops at steps of 1/kSpiceFinestDivision of the
// design current.
constexpr int kSpiceStepsPerCurrent = 20;
constexpr int kSpiceCurrentMultiple = 4;
constexpr double kSpiceInductanceStep = 0.01;
constexpr double kSpiceAccurateMultiple = 2;
constexpr double kSpiceOuterInductanceStep = 0.04;
constexpr int kSpiceFinestDivision = 1 << 16;
// The ngspice integrator: a 1 µF capacitor charged by 1 A per volt across the winding, so the
// flux node holds λ in µV·s (volts × 1e6), well above the simulator's absolute voltage
// tolerance; a 1 TΩ leak gives it a DC operating point (time constant 10⁶ s).
constexpr double kFluxNodeScale = 1e6;  // node volts per V·s
constexpr double kFluxLeakOhm = 1e12;

// One point of the table: winding current (A) and flux linkage λ = ∫₀ᴵ L(i) di (V·s).
struct FluxPoint {
    double currentA = 0;
    double fluxVs = 0;
};

// The voltage the winding works at, which the core-loss resistance is sized for.
struct WindingWaveform {
    double rmsVolts = 0;
    std::string description;  // one comment line: which waveform
};

struct SpiceModel {
    std::string name;  // letters, digits and '_' only, starting with a letter
    std::string partNumber;
    int stack = 1;
    int turns = 0;
    std::string wire;  // "# 18 AWG"
    int strands = 1;
    std::int8_t application = kDcBiased;
    double designCurrentA = 0;  // DC bias (peak for resonant and powerline chokes)
    double inductanceZeroH = 0;
    double inductanceFullH = 0;  // at the design current
    double resistanceOhm = 0;
    bool hot = false;            // resistance at the second opinion's winding temperature
    double resistanceTempC = 0;  // the temperature the resistance is taken at
    double coreLossW = 0;
    double coreLossOhm = 0;  // 0 when the core has no loss to model
    WindingWaveform waveform;
    std::vector<FluxPoint> table;  // from 0 A upwards; the model mirrors it
    std::string version;           // of the program that wrote it
};

// Inductance (H) of the analyzed winding at current i (A): N² Al P(H) / 100 × 1e-9 with
// H = 0.4 π N |i| / le (oersted) and P the DC-bias percent permeability of the core's material.
// Needs the core fields an analysis sets (coreAl with the stack, coreLe, corePerm). None when the
// material has no DC-bias data.
std::optional<double> windingInductance(const DesignRecord& record, double currentA);

// Flux linkage (V·s) at current i, interpolated in the model's table as the simulator does
// (odd-symmetric, the end slopes continued beyond the table).
double modelFluxAt(const SpiceModel& model, double currentA);
// The current at flux linkage λ, the inverse (what the ngspice source computes).
double modelCurrentAt(const SpiceModel& model, double fluxVs);

// A SPICE name of letters, digits and '_': every other run of characters becomes one '_', no '_'
// at either end, and a leading "L_" when it would not start with a letter.
std::string spiceName(std::string_view text);
// The subcircuit's name from part number, stack, turns, wire and strands:
// "T106_21_40T_18_AWG", "E100_26X2_30T_14_AWG_X2".
std::string spiceSubcircuitName(const std::string& partNumber, int stack, int turns,
                                const std::string& wire, int strands);

// The model of the design the record holds after AnalyzeDesign succeeded for `application`;
// `hot` takes the second opinion's winding resistance when its rise converged. None, after a
// message, when the core's material has no DC-bias permeability data.
std::optional<SpiceModel> spiceModel(const DesignRecord& record, const AnalysisTable& table,
                                     std::int8_t application, bool hot, Messages& messages);

// The model of results row `row` of the record's last search, analyzed again as the analysis
// window loads it (core, stack, wire, strands, turns; the requirements' operating conditions).
// None when the row holds no design or its analysis fails. The record is not changed.
std::optional<SpiceModel> spiceModelOfResultsRow(const DesignRecord& record, int row, bool hot);

// The model as a netlist file text in the given dialect: header comments, then the subcircuit
// with pins 1 and 2 (current enters at 1).
std::string spiceModelText(const SpiceModel& model, SpiceDialect dialect);

// The file name the desktop suggests: the part number's SPICE name with ".cir".
std::string spiceFileName(const SpiceModel& model);

}  // namespace korvell
