// The switching ripple of a power-factor-correction boost choke over the line cycle. At line
// angle θ the input v = V_in,pk |sin θ| stands across the winding for the ON time of the duty
// D = 1 − v / V_out, so the ripple there is ΔI(θ) = v D / (L f) = V_out D (1 − D) / (L f). Its
// largest over the cycle is at D = 0.5 (V_out / (4 L f)) when the input reaches V_out / 2, and
// at the crest of the line (V_in,pk (1 − V_in,pk / V_out) / (L f)) when it does not. The
// requirements window, the analysis, the second opinion and the SPICE notes all take the PFC
// ripple from here.
#pragma once

namespace korvell {

// The largest D (1 − D) the boost's duty reaches over the line cycle, for the ratio
// V_in,pk / V_out: 0.25 from a ratio of 0.5 up, ratio × (1 − ratio) below it; 0 for no ratio.
double pfcLargestDutyProduct(double inputOverOutput);

// The largest peak-to-peak ripple over the line cycle, A, for V_in,pk and V_out in volts, the
// inductance in µH and the switching frequency in kHz; 0 when any of them is not positive.
double pfcRipplePeakToPeak(double inputPeakV, double outputV, double inductanceUh,
                           double frequencyKhz);

}  // namespace korvell
