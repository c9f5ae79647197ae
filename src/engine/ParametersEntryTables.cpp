#include "engine/ParametersEntry.h"

namespace korvell {

const std::array<DesignParameterRowCaptions, kDesignParameterFieldCount>
    kDesignParameterRowCaptions = {{
        {"MAXIMUM TEMPERATURE RISE", "DEGREES C"},
        {"MINIMUM COPPER AREA", "CIR MILS PER AMPERE"},
        {"MAXIMUM WINDOW FILL FACTOR", "PERCENT"},
        {"MINIMUM % PERM UNDER DC BIAS", "PERCENT"},
        {"WIRE RESISTIVITY ADJUST FACTOR", "DIMENSIONLESS"},
        {"TEMPERATURE RISE FACTOR", "DEG C  / mW / sq cm"},
        {"TEMP RISE CHARACTERISTIC EXPONENT", "DIMENSIONLESS"},
        {"LEAD LENGTH ALLOWANCE", "INCHES, EACH"},
        {"AMBIENT TEMPERATURE", "DEGREES C"},
    }};

const DesignParameterRowCaptions kCurrentDensityRowCaptions = {"MAXIMUM CURRENT DENSITY",
                                                               "AMPERES / Cm Sq"};

// mm per inch, metres per foot, grams per pound.
const std::array<DisplayUnits, 3> kDisplayUnits = {{
    {"METRIC", "mm ", 25.4f, "m ", 0.3048f, "gm", 453.6f},
    {"ENGLISH", "in.", 1.0f, "ft", 1.0f, "Lbs", 1.0f},
    {"MIXED ENGLISH", "in", 1.0f, "ft", 1.0f, "Lbs", 1.0f},
}};

const std::array<WireGageStandard, 3> kWireGageStandards = {{
    {"METRIC, mm GAGE", "mm "},
    {"AMERICAN, AWG", "AWG"},
    {"BRITISH, SWG", "SWG"},
}};

}  // namespace korvell
