// Designs under manufacturing tolerance: the inductance of a design at the ends of its core's Al
// tolerance, and the Monte Carlo yield of one analyzed design, in which every sampled part (its
// core's Al, its wire's copper, the ambient it works in) is analyzed as the analysis would
// analyze that part.
//
// Under DC bias the magnetizing force H = 0.4π N I / le does not depend on Al, so the inductance
// L = N² Al P(H) / 100 scales exactly with Al. The powerline choke's operating point rests on
// the AC flux density, which does: there the inductance is evaluated at the changed Al.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/SecondOpinion.h"
#include "record/DesignRecord.h"

namespace korvell {

// The inductance of a wound core at Al × alFactor, µH: at the design current (maxCurrent for the
// DC-biased, swinging and PFC chokes, acCurrentMax for powerline, no bias for resonant), and for
// the applications with a second requirement (the swinging chokes at minCurrent, powerline at
// acCurrentMin) at the minimum current.
//
// The record must hold the core and its winding as AnalyzeDesign leaves them, or as the
// screening leaves a candidate: corePartNumber (its material code), corePerm, coreAl (whole stack,
// nH/turn²), coreAe (whole stack, cm²), coreLe (cm), turns, and the currents. None when the
// material has no permeability data for the application or the turns or the core are missing.
struct ToleranceInductance {
    double atDesignCurrentUh = 0;
    std::optional<double> atMinCurrentUh;
};
std::optional<ToleranceInductance> inductanceAtAlFactor(const DesignRecord& record,
                                                        std::int8_t application, double alFactor);

// Whether an application asks for an inductance at its minimum current as well.
bool hasMinCurrentRequirement(std::int8_t application);

// One part drawn from the tolerances.
struct PartSample {
    BuiltPart part;
    double ambientC = 25;
};

// The figures of one part as the analysis gives them.
struct PartFigures {
    double inductanceUh = 0;
    std::optional<double> inductanceMinUh;  // at the minimum current (swings, powerline)
    double rdcOhm = 0;
    double copperLossW = 0;
    double coreLossW = 0;
    double tempRiseC = 0;       // the program's rule
    double checkTempRiseC = 0;  // the second opinion's
    bool checkConverged = true;
};

// How the parts are drawn.
inline constexpr int kDefaultYieldSamples = 10000;
inline constexpr int kMaxYieldSamples = 1000000;
inline constexpr std::uint64_t kDefaultYieldSeed = 20261208;
inline constexpr double kToleranceSigmas = 3;  // σ = tolerance / 3, truncated at ± tolerance
struct YieldSettings {
    int samples = kDefaultYieldSamples;
    std::uint64_t seed = kDefaultYieldSeed;
    double ambientSpreadC = 0;  // ambient drawn uniformly over ± this
    // Only the inductance (the spread graph): no losses, rises or second opinion.
    bool inductanceOnly = false;
};

// Draws the parts of a yield: Al factor 1 + (tol / 3) z and copper factor 1 + (wire tol / 3) z,
// z standard normal truncated at ±3 (drawn again beyond), the ambient uniform over ± the spread.
// The same seed gives the same parts on every platform: the standard's 64-bit Mersenne twister
// and the program's own normal draw (Marsaglia's polar method), not the library's.
class PartSampler {
  public:
    PartSampler(std::uint64_t seed, double alTolerancePercent, double wireTolerancePercent,
                double ambientC, double ambientSpreadC);
    PartSample next();
    // A standard normal truncated at ±kToleranceSigmas.
    double truncatedNormal();
    // Uniform on [0, 1).
    double uniform();

  private:
    std::mt19937_64 m_engine;
    double m_alSigma;
    double m_wireSigma;
    double m_ambientC;
    double m_ambientSpreadC;
    std::optional<double> m_spareNormal;
};

// The probability that a normal factor 1 + (tol / 3) z, z truncated at ±3, is at least `ratio`.
double truncatedNormalAtLeast(double ratio, double alTolerancePercent);

// The analysis of a nominal design, ready to analyze its parts. From the record as AnalyzeDesign
// left it for `application` (losses in mW, resistances in ohm).
class PartAnalyzer {
  public:
    // None when the record holds no analyzed design whose inductance can be found.
    static std::optional<PartAnalyzer> of(const DesignRecord& analyzed, std::int8_t application);
    // The figures of one part: what scales exactly with Al, the copper and the ambient is scaled
    // from the nominal analysis, the rest (the powerline and resonant core loss, the ripple, the
    // rise, the second opinion) computed again.
    PartFigures figures(const PartSample& sample, bool inductanceOnly = false);
    const DesignRecord& nominal() const { return m_nominal; }

  private:
    PartAnalyzer() = default;
    DesignRecord m_nominal;
    DesignRecord m_work;  // the nominal record with the part's figures written in
    std::int8_t m_application = kDcBiased;
    ToleranceInductance m_inductance;  // nominal, µH
    std::string m_material;
    double m_coreVolume = 0;
};

// The same figures by a full analysis of the part (AnalyzeDesign of its Al and copper at its
// ambient on a copy of `inputs`, then the second opinion), for checking the analyzer. None when
// the analysis refuses the part.
std::optional<PartFigures> reanalyzedPartFigures(const DesignRecord& inputs,
                                                 std::int8_t application, const PartSample& sample);

// Nominal, spread and percentiles of one figure over the samples; the 1st and 99th percentiles
// interpolate linearly between the order statistics at (N − 1) p.
struct FigureSpread {
    double nominal = 0;
    double mean = 0;
    double min = 0;
    double max = 0;
    double p1 = 0;
    double p99 = 0;
    // The part at Al × (1 − tolerance) and at Al × (1 + tolerance), its copper and ambient
    // nominal.
    std::optional<double> atLowTolerance;
    std::optional<double> atHighTolerance;
};
FigureSpread spreadOf(std::vector<double> values, double nominal);

struct YieldReport {
    std::int8_t application = kDcBiased;
    int samples = 0;
    std::uint64_t seed = kDefaultYieldSeed;
    double alTolerancePercent = 0;
    double wireTolerancePercent = 0;
    double ambientSpreadC = 0;
    FigureSpread inductanceUh;
    std::optional<FigureSpread> inductanceMinUh;
    FigureSpread rdcOhm;
    FigureSpread copperLossW;
    FigureSpread coreLossW;
    FigureSpread tempRiseC;
    FigureSpread checkTempRiseC;
    // The requirements the parts are held to (none: not asked for).
    std::optional<double> requiredInductanceUh;
    std::optional<double> requiredInductanceMinUh;
    bool minIsCeiling = false;  // controlled swing: at most that inductance at minimum current
    std::optional<double> maxRdcOhm;
    double maxTempRiseC = 0;
    // Fractions of the samples that meet them; none where nothing was asked for.
    std::optional<double> fractionMeetingInductance;
    std::optional<double> fractionMeetingRdc;
    double fractionMeetingRise = 0;
    double fractionMeetingCheckRise = 0;
    // The inductance of every sample at the design current, µH, in drawing order.
    std::vector<double> inductanceSamplesUh;
    bool inductanceOnly = false;
};

// The yield of the design the record holds after AnalyzeDesign succeeded for `application`,
// held to the record's requirements (inductanceRequired, inductanceAtMinCurrent, maxDcResistance,
// maxTempRise) at its alTolerancePercent. None when the record holds no analyzed design.
std::optional<YieldReport> designYield(const DesignRecord& analyzed, std::int8_t application,
                                       const YieldSettings& settings);

// "AL ±8 % NORMAL 3σ, WIRE ±1 % 3σ, AMBIENT ±0 °C, 10000 SAMPLES, SEED 20261208".
std::string yieldModelText(const YieldReport& report);

// The YIELD page's rows: one per figure with its spread, in the units the analysis shows them.
struct YieldRow {
    std::string label;
    std::string format;
    std::string units;
    FigureSpread spread;
    double scale = 1;                // displayed value = figure × scale
    std::optional<double> fraction;  // of the parts meeting the requirement on this figure
};
std::vector<YieldRow> yieldRows(const YieldReport& report);
// A value of a row as shown.
std::string yieldValueText(const YieldRow& row, double value);
// A fraction as shown: "99.9 %", or "-" for none.
std::string yieldFractionText(std::optional<double> fraction);

}  // namespace korvell
