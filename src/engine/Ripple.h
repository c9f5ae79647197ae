// The switching ripple current of a design, peak to peak, as the analysis reports it and the
// second opinion charges it: the winding's average voltage over the inductance at the switching
// frequency (a PFC choke's the largest over the line cycle), at most the maximum current; none
// at line frequency.
#pragma once

#include "record/DesignRecord.h"

namespace korvell {

// The DC-biased and swinging chokes' average winding voltage: 2 V_on V_off / (V_on + V_off),
// 0 when either is 0.
double biasedAverageVoltage(double onVoltage, double offVoltage);

// Ripple (A p-p) of `application` for `inductanceUh` at the record's frequency and voltages;
// `averageVoltage` drives the non-PFC chokes. 0 for the powerline choke and without inductance
// or frequency.
double switchingRippleCurrent(const DesignRecord& record, int application, double averageVoltage,
                              double inductanceUh);

}  // namespace korvell
