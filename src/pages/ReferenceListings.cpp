#include "pages/ReferenceListings.h"

#include <cmath>

#include "engine/ParametersEntry.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"

namespace korvell {
namespace {

// Display lengths finer than the inch (millimetres) take fewer decimals for the same precision.
bool finerThanInches(const DesignRecord& r) {
    return r.lengthFactor > 1.0f;
}

std::string lengthUnit(const DesignRecord& r) {
    return trimmed(r.lengthUnitName);
}

std::string squareLengthUnit(const DesignRecord& r) {
    return lengthUnit(r) + "²";
}

ListingCell fixedCell(double value, int precision) {
    if (!std::isfinite(value)) return {};
    std::string text;
    appendFixed(text, value, 0, precision);
    return {text, value};
}

ListingCell generalCell(double value, int precision) {
    if (!std::isfinite(value)) return {};
    return {generalText(value, precision), value};
}

}  // namespace

std::string listingHeadingText(const ListingHeading& heading) {
    return heading.unit.empty() ? heading.title : heading.title + "\n" + heading.unit;
}

std::array<ListingHeading, kCatalogColumns> catalogHeadings(const DesignRecord& r,
                                                            std::int8_t shape) {
    const auto names = catalogDimensionNames(shape);
    const std::string length = lengthUnit(r);
    return {{{"PART NUMBER", ""},
             {"PERM", ""},
             {"AL", "nH/T²"},
             {"AE", "cm²"},
             {"LE", "cm"},
             {"WINDOW", squareLengthUnit(r)},
             {"MLT", length},
             {names[1], length},
             {names[0], length},
             {names[2], length}}};
}

std::array<ListingCell, kCatalogColumns> catalogCells(const DesignRecord& r, std::int8_t shape,
                                                      const CatalogRow& row) {
    const double L = r.lengthFactor;
    const bool fine = finerThanInches(r);
    const int lengthDecimals = fine ? 2 : 3;
    const int areaDecimals = fine ? 2 : 4;
    // 1000 id² (kcmil) or 155 Wa[cm²] = 1000 Wa[in²], as square inches.
    const double windowSquareInches =
        shape == kECore ? row.window / 1000.0 : row.window * 1000.0 * kSquareInchesPerCircularMil;
    return {{{row.partNumber, static_cast<double>(row.index)},
             fixedCell(row.mu, 0),
             fixedCell(row.al, 1),
             fixedCell(row.ae, 3),
             fixedCell(row.le, 2),
             fixedCell(windowSquareInches * L * L, areaDecimals),
             fixedCell(row.mlt * 12.0 * L, lengthDecimals),
             fixedCell(row.d2 * L, lengthDecimals),
             fixedCell(row.d1 * L, lengthDecimals),
             fixedCell(row.d3 * L, lengthDecimals)}};
}

std::array<ListingHeading, kWireColumns> wireTableHeadings(const DesignRecord& r) {
    const std::string length = lengthUnit(r);
    const std::string perLength = "/" + trimmed(r.longLengthUnitName);
    return {{{"SIZE", trimmed(r.wireGageName)},
             {"AREA", finerThanInches(r) ? squareLengthUnit(r) : "cmil"},
             {"BARE DIA", length},
             {"BUILD", length},
             {"DIA", length},
             {"MAX DIA", length},
             {"RESISTANCE", "ohms" + perLength},
             {"WEIGHT", trimmed(r.weightUnitName) + perLength}}};
}

std::array<ListingCell, kWireColumns> wireTableCells(const DesignRecord& r, const WireRow& w) {
    const double L = r.lengthFactor;
    const bool fine = finerThanInches(r);
    const int decimals = fine ? 4 : 5;
    // Per foot to per long length: a metre holds 1 / 0.3048 feet.
    const double perLong = 1.0 / static_cast<double>(r.longLengthFactor);
    const ListingCell area =
        fine ? fixedCell(w.area * kSquareInchesPerCircularMil * L * L, 4) : fixedCell(w.area, 1);
    return {{{wireTableSizeText(r.wireGageSystem, w.gage), w.gage},
             area,
             fixedCell(w.bareDia * L, decimals),
             fixedCell(w.build * L, decimals),
             fixedCell(w.dia * L, decimals),
             fixedCell(w.maxDia * L, decimals),
             generalCell(w.ohmsPerFoot * perLong, 5),
             generalCell(w.weightPerFoot * r.weightFactor * perLong, 5)}};
}

std::string wireTableTitle(const DesignRecord& r) {
    std::string title;
    if (r.wireGageSystem >= 0 && r.wireGageSystem < static_cast<int>(kWireGageStandards.size())) {
        title += "WIRE GAGE STANDARD: ";
        title += kWireGageStandards[static_cast<std::size_t>(r.wireGageSystem)].choice;
        title += "     ";
    }
    if (r.unitSystem >= 0 && r.unitSystem < static_cast<int>(kDisplayUnits.size())) {
        title += "MEASUREMENT UNITS: ";
        title += kDisplayUnits[static_cast<std::size_t>(r.unitSystem)].choice;
        title += "     ";
    }
    return title + "RESISTANCE AT 20 DEG C";
}

}  // namespace korvell
