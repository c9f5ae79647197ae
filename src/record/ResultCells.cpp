#include "record/ResultCells.h"

#include <algorithm>

#include "platform/Format.h"

namespace korvell {
namespace {

std::string wireCell(const DesignResult& d) {
    if (d.strands > 1) return strprintf("%3d x %s", d.strands, d.wire.c_str());
    return d.wire;
}

std::string slotText(const DesignDimensions& dims, int slot, const char* format, double factor) {
    const auto& value = dims.slot[slot - 1];
    return strprintf(format, value ? *value * factor : 0.0);
}

}  // namespace

ResultHeadings resultHeadings(const DesignRecord& r, int display) {
    const std::string stacked = r.stackedCores > 1 ? "  ( # Stacked )" : "";
    if (display == kElectricalDisplay) {
        return {{{"CORE P/N", "PRICE", "AL", "TURNS", "WIRE", "%FILL", "Rdc", "Rac", "Bac", "%PERM",
                  "Core Loss", "Cu Loss", "Temp Rise"},
                 {stacked, "US$", "nH", "", r.wireGageName, "", "", "", "Gauss", "", "Watts",
                  "Watts", "deg C"}}};
    }
    const std::string core = strprintf("CORE DIMENSIONS, %s", r.lengthUnitName.c_str());
    const std::string wound = strprintf("WOUND DIMENSIONS, %s", r.lengthUnitName.c_str());
    ResultHeadings h{{{"CORE P/N", "", "", core, "", "MAGNETIC, cm", "", "", "____ WIRE ____", "",
                       "", wound, ""},
                      {stacked, "", "OD", "ID", "HEIGHT", "Ac", "Lm", "TURNS", r.wireGageName,
                       "DIA", "OD", "ID", "HEIGHT"}}};
    if (r.coreShape == kECore) {
        h[1][2] = "A";
        h[1][3] = "B";
        h[1][4] = "C";
        h[1][10] = "BUILD";
        h[1][11] = "W HT";
        h[1][12] = "FLANGE H";
    }
    return h;
}

std::string resultCellText(const DesignRecord& r, int display, int row, int column) {
    if (row < 0 || row >= kMaxDesigns) return {};
    const DesignResult& d = r.designResults[row];
    const double L = r.lengthFactor;
    // "%<width>.<precision>f" of a value.
    const auto f = [](int width, int precision, double v) {
        std::string text;
        appendFixed(text, v, width, precision);
        return text;
    };
    if (display == kElectricalDisplay) {
        switch (column) {
            case 0:
                return d.partNumber;
            case 1:
                return f(6, 2, d.price);
            case 2:
                return f(6, 0, d.al);
            case 3:
                return strprintf("%4d", d.turns);
            case 4:
                return wireCell(d);
            case 5:
                return f(6, 1, d.fillPercent);
            case 6:
                return f(6, 4, d.rdc);
            case 7:
                return f(6, 4, d.rac);
            case 8:
                return f(6, 1, d.bac);
            case 9:
                return f(6, 1, d.percentPerm);
            case 10:
                return f(6, 2, d.coreLossW);
            case 11:
                return f(6, 2, d.copperLossW);
            case 12:
                return f(6, 1, d.tempRise);
            default:
                return {};
        }
    }
    const DesignDimensions& dims = r.designDimensions[row];
    const bool ecore = r.coreShape == kECore;
    switch (column) {
        case 0:
            return d.partNumber;
        case 1:
            return "      ";
        case 2:
            return slotText(dims, ecore ? 6 : 3, "%6.3f", L);
        case 3:
            return slotText(dims, ecore ? 7 : 4, "%6.3f", L);
        case 4:
            return slotText(dims, ecore ? 8 : 5, "%6.3f", L);
        case 5:
            return slotText(dims, 1, "%6.2f", 1);
        case 6:
            return slotText(dims, 2, "%6.2f", 1);
        case 7:
            return strprintf("%6d", d.turns);
        case 8:
            return wireCell(d);
        case 9:
            return f(6, 3, r.designWires[row].maxDia * L);
        case 10:
            return f(6, 3, (ecore ? d.build : d.woundOd) * L);
        case 11:
            return f(6, 3, (ecore ? d.woundHeight : d.woundId) * L);
        case 12:
            return f(6, 3, (ecore ? d.bobbinDim : d.woundHeight) * L);
        default:
            return {};
    }
}

}  // namespace korvell
