#include "engine/PfcRipple.h"

namespace korvell {

double pfcLargestDutyProduct(double inputOverOutput) {
    if (!(inputOverOutput > 0)) return 0;
    if (inputOverOutput >= 0.5) return 0.25;
    return inputOverOutput * (1 - inputOverOutput);
}

double pfcRipplePeakToPeak(double inputPeakV, double outputV, double inductanceUh,
                           double frequencyKhz) {
    if (!(inputPeakV > 0 && outputV > 0 && inductanceUh > 0 && frequencyKhz > 0)) return 0;
    // V / (µH × kHz) is a thousandth of V / (H × Hz).
    return outputV * pfcLargestDutyProduct(inputPeakV / outputV) / (inductanceUh * frequencyKhz) *
           1000;
}

}  // namespace korvell
