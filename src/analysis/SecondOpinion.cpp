#include "analysis/SecondOpinion.h"

#include <cmath>

#include "record/StoredNumbers.h"

namespace korvell {

std::optional<SecondOpinion> secondOpinionOfResultsRow(const DesignRecord& record, int row) {
    DesignRecord r;
    AnalysisTable table;
    SilentMessages quiet;
    if (!analyzeResultsRow(record, row, quiet, r, table)) return std::nullopt;
    return secondOpinion(r, r.applicationType);
}

std::array<CheckRow, kCheckRows> checkRows(const SecondOpinion& o) {
    const bool resonant = o.application == kResonant;
    // Both resistances in the scale the analysis shows the program's in.
    const bool ohms = o.programRdcOhm > 0.1;
    const double scale = ohms ? 1 : 1000;
    const char* const ohmsFormat = ohms ? "%5.2f" : "%5.2fm";
    const auto row = [](const char* label, const char* format, double value, const char* units,
                        std::optional<double> program = std::nullopt) {
        CheckRow c;
        c.row = {label, format, toStoredFloat(value), units};
        if (program) c.program = toStoredFloat(*program);
        return c;
    };
    return {{
        row("WINDING TEMP", "%6.1f", o.windingTempC, "DEG C", o.ambientC + o.programTempRiseC),
        row("HOT DC RESISTANCE", ohmsFormat, scale * o.rdcHotOhm, "OHMS", scale * o.programRdcOhm),
        row("WINDING LAYERS", "%6.0f", o.layers, ""),
        row("POROSITY", "%6.3f", o.porosity, ""),
        row("SKIN DEPTH", "%6.4f", o.skinDepthIn, "INCH"),
        row("AC FACTOR Fr", "%6.2f", o.acFactorFundamental, "", o.programAcFactor),
        row(resonant ? "AC CURRENT" : "RIPPLE CURRENT", "%6.2f", o.rippleRmsA, "AMPS RMS"),
        row(resonant ? "AC CU LOSS" : "RIPPLE CU LOSS", "%6.3f", o.rippleCopperLossW, "W",
            resonant ? o.programCopperLossW : 0.0),
        row("DC CU LOSS", "%6.3f", o.dcCopperLossW, "W", resonant ? 0.0 : o.programCopperLossW),
        row("COPPER LOSS", "%6.3f", o.copperLossW, "W", o.programCopperLossW),
        row("TOT LOSSES", "%6.3f", o.totalLossW, "WATTS", o.programTotalLossW),
        row("TEMP RISE", "%6.2f", o.tempRiseC, "DEG. C", o.programTempRiseC),
        row("CU LOSS CHANGE", "%+6.1f", o.copperLossChangePercent, "PCT"),
        row("TEMP RISE CHANGE", "%+6.1f", o.tempRiseChangePercent, "PCT"),
    }};
}

std::string checkProgramText(const CheckRow& row, const DesignRecord& record) {
    if (!row.program) return {};
    AnalysisRow program = row.row;
    program.value = *row.program;
    return analysisValueText(program, record);
}

std::string checkStatusText(const SecondOpinion& opinion) {
    return opinion.converged ? "CONVERGED" : "THERMAL RUNAWAY";
}

std::string checkModelText(std::int8_t application) {
    switch (application) {
        case kPowerline:
            return "HOT COPPER; NO SKIN OR PROXIMITY LOSS AT LINE FREQUENCY";
        case kResonant:
            return "DOWELL 1966, ROUND WIRE AS FOIL, HOT COPPER; Fr NOT BELOW THE PROGRAM'S";
        default:
            return "DOWELL 1966, ROUND WIRE AS FOIL, 25 RIPPLE HARMONICS, HOT COPPER";
    }
}

}  // namespace korvell
