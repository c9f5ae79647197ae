#include "materials/WireRows.h"

#include <cmath>

#include "materials/WireTable.h"
#include "materials/WireTables.h"
#include "platform/Format.h"

namespace korvell {

WireRow currentWireRow(const DesignRecord& r) {
    return {r.wireSystemLabel, r.wireGage,   r.wireArea,        r.wireBareDia,      r.wireBuild,
            r.wireDia,         r.wireMaxDia, r.wireOhmsPerFoot, r.wireWeightPerFoot};
}

std::vector<float> wireTableGages(std::int8_t system) {
    std::vector<float> gages;
    if (system == kMetricWire) {
        gages.assign(metricWireDiameters.begin(), metricWireDiameters.end());
    } else if (system == kSwg) {
        for (int g = 1; g <= kSwgGaugeCount; ++g)
            gages.push_back(static_cast<float>(g));
    } else if (system == kAwg) {
        for (int g = kAwgTableFirstGage; g <= kAwgTableLastGage; ++g)
            gages.push_back(static_cast<float>(g));
    }
    return gages;
}

std::string wireTableSizeText(std::int8_t system, float gage) {
    if (system == kMetricWire) return strprintf("%4.2f", static_cast<double>(gage));
    if (gage == -3) return "0000";
    if (gage == -2) return "000";
    if (gage == -1) return "00";
    if (gage == std::trunc(gage)) return strprintf("%d", static_cast<int>(gage));
    return strprintf("%g", static_cast<double>(gage));
}

bool listWireTable(std::int8_t system, Messages& messages, std::vector<WireRow>& rows) {
    rows.clear();
    const std::vector<float> gages = wireTableGages(system);
    if (gages.empty()) return false;
    rows.reserve(gages.size());
    for (const float gage : gages) {
        DesignRecord record;
        if (wireTableLookup(record, system, kByGage, gage) != 1) {
            messages.show(
                strprintf("Wire Table Lookup error, Gage indicates %f", static_cast<double>(gage)),
                "PROGRAM ERROR ");
            return false;
        }
        rows.push_back(currentWireRow(record));
    }
    return true;
}

}  // namespace korvell
