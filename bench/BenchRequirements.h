// The requirements the benchmarks search for, shared by the search and the sweep benchmarks.
#pragma once

#include <string>

#include "engine/ParametersEntry.h"
#include "record/DesignRecord.h"

namespace korvell::bench {

// Sensible requirements of each application: a 100 µH, 5 A buck filter at 100 kHz; swinging
// chokes around it; a 400 µH PFC boost inductor for 400 V at 65 kHz; a 1 mH, 10 A rms 60 Hz
// choke; a 10 µH resonant inductor at 2 A peak.
inline DesignRecord requirements(int application, int shape) {
    DesignRecord r;
    r.applicationType = static_cast<std::int8_t>(application);
    r.coreShape = static_cast<std::int8_t>(shape);
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            r.inductanceRequired = 0.1f;
            r.maxCurrent = 5;
            r.onVoltage = 12;
            r.offVoltage = 5;
            r.avgVoltage = 2 * 12.0f * 5 / 17;
            r.frequencyKhz = 100;
            r.inductanceAtMinCurrent = application == kWideSwing ? 1.0f : 0.2f;
            r.minCurrent = application == kWideSwing ? 0.5f : 1;
            break;
        case kPowerFactorBoost:
            r.inductanceRequired = 0.4f;
            r.maxCurrent = 5;
            r.pfcPeakInputVoltage = 311;
            r.pfcOutputVoltage = 400;
            r.pfcVoltageRatio = 311.0f / 400;
            r.avgVoltage = 400;
            r.frequencyKhz = 65;
            break;
        case kPowerline:
            r.inductanceRequired = 1.0f;
            r.acCurrentMax = 10;
            r.lineFrequencyHz = 60;
            break;
        case kResonant:
            r.windingMode = kSingleLayer;
            r.inductanceRequired = 0.01f;
            r.resonantPeakCurrent = 2;
            r.resonantPeakVoltage = 100;
            r.avgVoltage = 63.66f;
            r.frequencyKhz = 795.8f;
            break;
    }
    loadActiveDesignParameters(r);
    return r;
}

// The same with every material selected.
inline DesignRecord withAllMaterials(DesignRecord r) {
    for (std::size_t k = 0; k < kSelectableMaterials.size(); ++k)
        r.selectedMaterials[k] = std::string(kSelectableMaterials[k]);
    return r;
}

}  // namespace korvell::bench
