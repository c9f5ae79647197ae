// Requirements of a few sensible designs, one per application type, set straight into a record
// with the default design parameters active (as the requirements window leaves them). The tests
// and the benchmarks share them.
#pragma once

#include <string>

#include "engine/ParametersEntry.h"
#include "record/DesignRecord.h"

namespace korvell::testing {

// 100 µH at 5 A buck output filter, 12 V on, 5 V off, 100 kHz.
inline DesignRecord buckFilter(std::int8_t shape = kToroid, std::int8_t winding = kFullWindow) {
    DesignRecord r;
    r.applicationType = kDcBiased;
    r.coreShape = shape;
    r.windingMode = winding;
    r.inductanceRequired = 0.1f;
    r.maxCurrent = 5;
    r.onVoltage = 12;
    r.offVoltage = 5;
    r.frequencyKhz = 100;
    r.avgVoltage = 2 * 12.0f * 5.0f / 17.0f;
    loadActiveDesignParameters(r);
    return r;
}

// Controlled swing: 100 µH at 5 A, no more than 200 µH at 1 A, 100 kHz.
inline DesignRecord controlledSwing(std::int8_t shape = kToroid) {
    DesignRecord r = buckFilter(shape);
    r.applicationType = kControlledSwing;
    r.inductanceAtMinCurrent = 0.2f;
    r.minCurrent = 1;
    loadActiveDesignParameters(r);
    return r;
}

// Wide swing on composite cores: 50 µH at 10 A, 500 µH at 0.5 A, 100 kHz.
inline DesignRecord wideSwing() {
    DesignRecord r = buckFilter(kComposite);
    r.applicationType = kWideSwing;
    r.inductanceRequired = 0.05f;
    r.maxCurrent = 10;
    r.inductanceAtMinCurrent = 0.5f;
    r.minCurrent = 0.5f;
    loadActiveDesignParameters(r);
    return r;
}

// PFC boost: 400 µH at 5 A, 311 V peak input, 400 V output, 65 kHz.
inline DesignRecord pfcBoost(std::int8_t shape = kToroid) {
    DesignRecord r;
    r.applicationType = kPowerFactorBoost;
    r.coreShape = shape;
    r.inductanceRequired = 0.4f;
    r.maxCurrent = 5;
    r.pfcPeakInputVoltage = 311;
    r.pfcOutputVoltage = 400;
    r.pfcVoltageRatio = 311.0f / 400.0f;
    r.avgVoltage = 400;
    r.frequencyKhz = 65;
    loadActiveDesignParameters(r);
    return r;
}

// Powerline choke: 1 mH at 10 A rms, 60 Hz.
inline DesignRecord powerlineChoke(std::int8_t shape = kToroid) {
    DesignRecord r;
    r.applicationType = kPowerline;
    r.coreShape = shape;
    r.inductanceRequired = 1.0f;
    r.acCurrentMax = 10;
    r.lineFrequencyHz = 60;
    r.avgVoltage = 0;
    loadActiveDesignParameters(r);
    return r;
}

// Resonant inductor: 10 µH at 2 A peak, 100 V peak, at its resonant frequency.
inline DesignRecord resonantInductor(std::int8_t shape = kToroid) {
    DesignRecord r;
    r.applicationType = kResonant;
    r.coreShape = shape;
    r.windingMode = kSingleLayer;
    r.inductanceRequired = 0.01f;
    r.resonantPeakCurrent = 2;
    r.resonantPeakVoltage = 100;
    r.avgVoltage = static_cast<float>(2 * 100 * 0.3183101550488765);
    r.frequencyKhz = static_cast<float>(1000 / (2 * 3.14159) / 10 * 100 / 2);
    loadActiveDesignParameters(r);
    return r;
}

// The scenario of an application on a shape (wide swing is on composite cores whatever the
// shape asked for).
inline DesignRecord scenario(int application, std::int8_t shape = kToroid) {
    switch (application) {
        case kControlledSwing:
            return controlledSwing(shape);
        case kWideSwing:
            return wideSwing();
        case kPowerFactorBoost:
            return pfcBoost(shape);
        case kPowerline:
            return powerlineChoke(shape);
        case kResonant:
            return resonantInductor(shape);
        default:
            return buckFilter(shape);
    }
}

// The same with every material selected.
inline DesignRecord withAllMaterials(DesignRecord r) {
    for (std::size_t k = 0; k < kSelectableMaterials.size(); ++k)
        r.selectedMaterials[k] = std::string(kSelectableMaterials[k]);
    return r;
}

}  // namespace korvell::testing
