// A second opinion on an analyzed inductor, beside the program's own figures and never in their
// place. The classic model takes the winding resistance at ambient and gives the switching ripple
// of a DC-biased, swinging or PFC choke no copper loss. Here the winding is taken at its own
// temperature (copper's resistance rises by (234.4 + T_w) / (234.4 + T_a)), the ripple triangle
// is split into its first 25 harmonics and each is charged at Dowell's AC resistance factor of
// the layered winding (round wire as an equivalent foil), and the rise is found again by the
// program's own rule until it settles. Every figure is at least the program's own.
#pragma once

#include <array>
#include <cstdint>

#include "record/DesignRecord.h"

namespace korvell {

// The model's name where the second opinion is shown or written.
inline constexpr const char* kSecondOpinionModel = "dowell-1966";

// Dowell's resistance factor F_R = R_ac / R_dc of an m-layer winding of foil thickness h in
// skin depths Δ (porosity included):
//   F_R = Δ [(sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ) + 2(m² − 1)/3 · (sinh Δ − sin Δ)/(cosh Δ + cos
//   Δ)]
// 1 at Δ = 0; evaluated without cancellation or overflow for every finite Δ ≥ 0. Layers below 1
// count as 1.
double dowellFactor(double delta, int layers);

// Skin depth of copper in inches at f hertz and T °C, δ = √(ρ(T) / (π f µ0)) with
// ρ(T) = 1.7241e-8 Ω·m × (234.4 + T) / 254.4. Infinite at f ≤ 0.
double copperSkinDepthInches(double frequencyHz, double temperatureC);

// Resistance of copper at T °C over its resistance at Tref °C: (234.4 + T) / (234.4 + Tref).
double copperResistanceRatio(double temperatureC, double referenceC);

// The ripple's harmonics charged: the 1st to the 25th.
constexpr int kRippleHarmonics = 25;
// F_R at n times the switching frequency, index n − 1.
using HarmonicFactors = std::array<double, kRippleHarmonics>;

// rms of the n-th harmonic of a triangle of `peakToPeak` amperes that rises for `duty` of the
// period and falls for the rest: ΔI |sin(π n D)| / (√2 π² n² D (1 − D)). 0 for D outside (0, 1).
double triangleHarmonicRms(double peakToPeak, double duty, int n);

// The mean squares of the 25 harmonics of that triangle (A², index n − 1).
HarmonicFactors triangleRippleMeanSquares(double peakToPeak, double duty);

// The same for a PFC boost choke, averaged over the half line cycle in `steps` equal angles θ
// (midpoints): at θ the duty is D = 1 − (V_in,pk / V_out)|sin θ| and the ripple is
// ΔI_max D (1 − D) / max D (1 − D), ΔI_max the largest ripple of the cycle (pfcRipplePeakToPeak:
// at D = 0.5 when the input reaches half the output, else at the crest). Angles where the input
// stands above the output (D ≤ 0) do not switch.
constexpr int kLineAngleSteps = 256;
HarmonicFactors pfcRippleMeanSquares(double largestPeakToPeak, double inputOverOutput,
                                     int steps = kLineAngleSteps);

// Σ I_n,rms² F_R(n f): the copper loss of the ripple's harmonics per ohm of DC resistance
// (W per ohm).
double rippleLossPerOhm(const HarmonicFactors& meanSquares, const HarmonicFactors& factors);

// The winding as Dowell sees it: conductors in one layer (toroid: round the inside diameter less
// one wire, E-core: across the bobbin's winding width), the layer count for turns × strands, and
// the equivalent foil of one strand, h = (√π / 2) × bare diameter, at porosity h / pitch (the
// pitch one insulated diameter).
struct WindingLayers {
    int conductorsPerLayer = 0;
    int layers = 0;
    double foilThicknessIn = 0;
    double porosity = 0;
};
// From the record after an analysis (core and current wire, turns, strands).
WindingLayers windingLayers(const DesignRecord& record);

struct SecondOpinion {
    std::int8_t application = kDcBiased;
    // The second opinion.
    double windingTempC = 0;         // ambient + the rise the resistance was taken at
    double rdcHotOhm = 0;            // DC resistance at the winding temperature
    int layers = 0;                  // Dowell's m
    double porosity = 0;             // η
    double skinDepthIn = 0;          // at the switching (line, for powerline) frequency and T_w
    double acFactorFundamental = 1;  // F_R at that frequency (1 for a line-frequency choke)
    double rippleRmsA = 0;           // switching ripple (resonant: the sinusoid), A rms
    double rippleCopperLossW = 0;    // its copper loss
    double dcCopperLossW = 0;        // the program's current-squared rule at the hot resistance
    double copperLossW = 0;
    double totalLossW = 0;  // core loss (the program's) and copper loss
    double tempRiseC = 0;
    bool converged = false;  // false: "THERMAL RUNAWAY"
    int iterations = 0;
    // The program's own figures beside them.
    double programRdcOhm = 0;
    double programAcFactor = 1;
    double programCopperLossW = 0;
    double programTotalLossW = 0;
    double programTempRiseC = 0;
    double ambientC = 0;
    // (second − program) / program, percent; 0 where the program's figure is 0.
    double copperLossChangePercent = 0;
    double tempRiseChangePercent = 0;
};

// Rise iteration limits: settled when the rise moves less than kSettledRiseC; runaway when it
// has not after kMaxRiseIterations, or exceeds kRunawayRiseC.
constexpr double kSettledRiseC = 0.05;
constexpr int kMaxRiseIterations = 50;
constexpr double kRunawayRiseC = 250;

// The second opinion on the design the record holds after AnalyzeDesign succeeded for
// `application`, or after the search wound it (its losses in mW, its ripple in rippleCurrent).
// DC-biased, swinging and PFC chokes: hot DC loss plus the ripple's harmonics; resonant: the
// sinusoid at the hot resistance and the larger of Dowell's and the program's AC factor; powerline:
// the hot resistance alone.
SecondOpinion secondOpinion(const DesignRecord& record, std::int8_t application);

// The second opinion of the candidate the search has just wound (select_wire's state, the
// record's application): its ripple from the inductance its turns give (inductanceUh), as the
// analysis of that design would give it.
SecondOpinion candidateSecondOpinion(const DesignRecord& record);

}  // namespace korvell
