#include "materials/WireTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "materials/WireTables.h"
#include "platform/PhysicalConstants.h"

namespace korvell {

namespace {

constexpr double kInchesPerMm = 1 / kMmPerInch;
constexpr double kPoundsPerFootCmil = 3.044e-6;  // copper, 8.89 g/cm³
constexpr float kSmallestArea = 0.61f;           // cmil; below this no wire is sought
constexpr float kSmallestDiameter = 0.0011f;     // inch; below this no wire is sought
// Kind 2 normally fits on its second pass; the cap only guards against a table that would
// make the passes repeat the same wire.
constexpr int kMaxDiameterPasses = 16;

// Metric sizes outside the insulation table: build and maximum overall diameter in proportion
// to the bare diameter, as for the table's 1.50 mm row (0.056 mm build, 1.612 mm maximum).
constexpr double kMetricBuildRatio = 0.0373333;
constexpr double kMetricMaxRatio = 1.0746667;

// The wire a pass has chosen, in inches; maxDia 0 when the system gives no maximum.
struct WireChoice {
    const char* label = "";
    double gage = 0;
    double bare = 0;
    double build = 0;
    double maxDia = 0;
};

// Film insulation build of AWG and SWG wire, inches, rounded to 0.1 mil:
// floor(7.449 log10(bare in mils / 12.6) + 16 + 0.5) × 0.0001. `bare` must be positive.
double filmBuild(double bare) {
    return std::floor(7.449 * std::log10(79.365079 * bare) + 16.0 + 0.5) * 0.0001;
}

// An AWG size: bare diameter 0.1019 in at AWG 10, a factor of 92 in diameter over 39 gages,
// rounded to 0.1 mil (gages so fine that it rounds to nothing, beyond about AWG 75, have no wire),
// and its film build.
struct AwgSize {
    double tenthMils = 0;
    double build = 0;
};
AwgSize awgSize(double gage) {
    AwgSize size;
    size.tenthMils = std::floor(1019.0 * std::exp(0.115943 * (10.0 - gage)) + 0.5);
    if (size.tenthMils >= 1) size.build = filmBuild(size.tenthMils * 0.0001);
    return size;
}

// The size of a whole gage from -3 (0000) to 80; none for other gages.
constexpr int kFirstWholeAwg = -3;
constexpr int kLastWholeAwg = 80;
const AwgSize* wholeAwgSize(double gage) {
    static const auto table = [] {
        std::array<AwgSize, kLastWholeAwg - kFirstWholeAwg + 1> sizes{};
        for (int g = kFirstWholeAwg; g <= kLastWholeAwg; ++g)
            sizes[static_cast<std::size_t>(g - kFirstWholeAwg)] = awgSize(g);
        return sizes;
    }();
    if (!(gage >= kFirstWholeAwg && gage <= kLastWholeAwg) || gage != std::floor(gage)) {
        return nullptr;
    }
    return &table[static_cast<std::size_t>(static_cast<int>(gage) - kFirstWholeAwg)];
}

bool chooseMetric(int kind, double value, double allowedBare, WireChoice& wire) {
    const double limit = kind == kByGage   ? value
                         : kind == kByArea ? value * kDiameterSquaredPerCircularMil
                                           : allowedBare;
    const int index = metricWireWalk(kind, limit);
    if (index < 0) return false;
    const float mm = metricWireDiameters[index];
    wire.label = "mm G";
    wire.gage = mm;
    wire.bare = mm * kInchesPerMm;
    wire.build = kMetricBuildRatio * wire.bare;
    wire.maxDia = kMetricMaxRatio * wire.bare;
    for (const MetricInsulationRow& row : metricInsulation) {
        if (row.bareMm == mm) {
            wire.build = 2.0 * row.thicknessMm * kInchesPerMm;
            wire.maxDia = row.maxOverallMm * kInchesPerMm;
            break;
        }
    }
    return true;
}

bool chooseAwg(int kind, double value, double allowedBare, WireChoice& wire) {
    double gage = value;
    if (kind == kByArea) {
        // +0.7 rather than +1: the chosen wire may exceed the area asked for by up to 0.3 gage.
        gage = std::floor(9.9298 * std::log10(10384.0 / value) + 10.7);
    } else if (kind == kByMaxDiameter) {
        if (!(allowedBare > 0)) return false;
        gage = std::ceil(19.8596 * std::log10(0.1019 / allowedBare) + 10.0);
    }
    if (gage < -3) gage = -3;
    // Whole gages, which every look-up by area or diameter gives, come from a table worked out
    // once by the same rules: a sweep looks up the same few sizes hundreds of thousands of times.
    const AwgSize* size = wholeAwgSize(gage);
    const AwgSize computed = size ? AwgSize{} : awgSize(gage);
    if (!size) size = &computed;
    if (!(size->tenthMils >= 1)) return false;
    wire.label = " AWG";
    wire.gage = gage;
    wire.bare = size->tenthMils * 0.0001;
    wire.build = size->build;
    const double whole = std::trunc(gage);
    if (whole > 3 && whole < 51) {
        wire.maxDia = awgMaxDiameters[static_cast<int>(whole) - kAwgFirstTabulatedGage];
    } else if (whole < 4) {
        wire.maxDia = wire.bare + 0.0037;
    } else {
        wire.maxDia = 0;
    }
    return true;
}

bool chooseSwg(int kind, double value, double allowedBare, WireChoice& wire) {
    int gauge = 0;
    if (kind == kByGage) {
        const double rounded = std::floor(value + 0.5);
        if (!(rounded >= 1 && rounded <= kSwgGaugeCount)) return false;
        gauge = static_cast<int>(rounded);
    } else {
        const int index = swgWireWalk(
            kind, kind == kByArea ? value * kDiameterSquaredPerCircularMil : allowedBare);
        if (index < 0) return false;
        gauge = index + 1;
    }
    wire.label = " SWG";
    wire.gage = gauge;
    wire.bare = swgDiameters[gauge - 1];
    wire.build = filmBuild(wire.bare);
    wire.maxDia = wire.bare;
    return true;
}

}  // namespace

int metricWireWalk(int kind, double limit) {
    for (int i = 0; i < kMetricWireCount; ++i) {
        const double mm = metricWireDiameters[i];
        const double inches = mm / kMmPerInch;
        const bool fits = kind == kByGage   ? mm <= limit
                          : kind == kByArea ? inches * inches <= limit
                                            : inches <= limit;
        if (fits) return i;
    }
    return -1;
}

int swgWireWalk(int kind, double limit) {
    if (kind != kByArea && kind != kByMaxDiameter) return -1;
    for (int i = 0; i < kSwgGaugeCount; ++i) {
        const double d = swgDiameters[i];
        if (kind == kByArea ? limit > d * d : limit > d) return i;
    }
    return -1;
}

int wireTableLookup(DesignRecord& record, std::int8_t system, int kind, float value) {
    if (!std::isfinite(value)) return 0;
    if (kind != kByGage && kind != kByArea && kind != kByMaxDiameter) return 0;
    if (system != kMetricWire && system != kAwg && system != kSwg) return 0;
    if (kind == kByArea && value < kSmallestArea) return 0;
    if (kind == kByMaxDiameter && value < kSmallestDiameter) return 0;

    WireChoice wire;
    double previousBuild = 0;
    for (int pass = 0; pass < kMaxDiameterPasses; ++pass) {
        // Kind 2: the bare diameter that leaves room for the build of the previous pass's wire.
        const double allowedBare = 0.99 * value - previousBuild - 0.0001;
        const bool found = system == kMetricWire ? chooseMetric(kind, value, allowedBare, wire)
                           : system == kAwg      ? chooseAwg(kind, value, allowedBare, wire)
                                                 : chooseSwg(kind, value, allowedBare, wire);
        if (!found) return 0;
        const float dia = static_cast<float>(wire.bare + wire.build);
        if (kind == kByMaxDiameter && dia > value) {
            previousBuild = wire.build;
            continue;
        }
        const double area = wire.bare * wire.bare * 1e6;
        record.wireSystemLabel = wire.label;
        record.wireGage = static_cast<float>(wire.gage);
        record.wireBareDia = static_cast<float>(wire.bare);
        record.wireBuild = static_cast<float>(wire.build);
        record.wireDia = dia;
        record.wireMaxDia = std::max(static_cast<float>(wire.maxDia), dia);
        record.wireArea = static_cast<float>(area);
        record.wireOhmsPerFoot = static_cast<float>(kCopperOhmCmilPerFoot / area);
        record.wireWeightPerFoot = static_cast<float>(kPoundsPerFootCmil * area);
        return 1;
    }
    return 0;
}

bool wireGageInRange(float gage) {
    return gage >= kLowestWireGage && gage <= kHighestWireGage;
}

std::optional<float> readWireGage(std::string_view text, std::int8_t system) {
    std::size_t at = 0;
    const bool hashed = text.find('#') != std::string_view::npos;
    while (at < text.size() && (text[at] == ' ' || (hashed && text[at] == '#')))
        ++at;
    std::size_t end = at;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) {
        ++end;
    }
    const std::string_view number = text.substr(at, end - at);
    float gage = 0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), gage,
                                               std::chars_format::fixed);
    if (number.empty() || error != std::errc() || stop == number.data()) return std::nullopt;
    if (system == kAwg && gage == 0) {
        if (text.find("0000") != std::string_view::npos) return -3.0f;
        if (text.find("000") != std::string_view::npos) return -2.0f;
        if (text.find("00") != std::string_view::npos) return -1.0f;
    }
    return gage;
}

}  // namespace korvell
