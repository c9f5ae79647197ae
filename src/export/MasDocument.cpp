#include "export/MasDocument.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <numbers>

#include "analysis/AnalysisEntry.h"
#include "materials/Catalog.h"
#include "platform/Format.h"

namespace korvell {
namespace {

using nlohmann::json;

constexpr double kMetresPerInch = 0.0254;
// Analysis rows quoted.
constexpr int kInductanceRow = 0;
constexpr int kRippleRow = 3;
constexpr int kCoreLossRow = 8;
constexpr int kCopperLossRow = 9;
constexpr int kTempRiseRow = 12;
// Equidistant points of one period of a waveform.
constexpr int kWaveformPoints = 128;
constexpr const char* kMethod = "Korvell Inductors analysis";

// A figure MAS reads as a number: never NaN or infinite.
double finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

json nominal(double value) {
    return {{"nominal", finite(value)}};
}

// A waveform as kWaveformPoints equidistant values over one period (value(t) for t in [0, 1) of
// the period), with its processed description.
json signal(const std::function<double(double)>& value, const char* label, double peakToPeak,
            double offset, std::optional<double> duty) {
    json processed = {{"label", label},
                      {"peakToPeak", std::max(0.0, finite(peakToPeak))},
                      {"offset", finite(offset)}};
    if (duty) processed["dutyCycle"] = std::clamp(finite(*duty), 0.0, 1.0);
    json data = json::array();
    for (int k = 0; k < kWaveformPoints; ++k)
        data.push_back(finite(value(static_cast<double>(k) / kWaveformPoints)));
    return {{"waveform", {{"data", data}, {"numberPeriods", 1}}}, {"processed", processed}};
}

// A sinusoid of `peak`, starting at phase `phase` (radians).
json sinusoid(double peak, double phase) {
    json s = signal([=](double t) { return peak * std::sin(2 * std::numbers::pi * t + phase); },
                    "sinusoidal", 2 * std::abs(peak), 0, std::nullopt);
    s["processed"]["peak"] = std::abs(finite(peak));
    s["processed"]["rms"] = std::abs(finite(peak)) / std::sqrt(2.0);
    return s;
}

// A current that rises by `ripple` about `mean` while `onVolts` stand across the winding (for
// `duty` of the period) and falls back while `offVolts` (negative) do.
json switchedExcitation(double frequency, double mean, double ripple, double duty, double onVolts,
                        double offVolts) {
    const double low = mean - ripple / 2;
    json e = {{"frequency", finite(frequency)}};
    e["current"] = signal(
        [=](double t) {
            if (duty <= 0 || duty >= 1) return mean;
            return t < duty ? low + ripple * t / duty : low + ripple * (1 - t) / (1 - duty);
        },
        "triangular", ripple, mean, duty);
    e["voltage"] = signal([=](double t) { return t < duty ? onVolts : offVolts; }, "rectangular",
                          onVolts - offVolts, 0, duty);
    return e;
}

// The excitation of the design's operating point, and its name.
std::pair<json, std::string> excitation(const DesignRecord& r, const AnalysisTable& table) {
    const double inductanceH = table.rows[kInductanceRow].value * 1e-6;
    const double ripple = table.rows[kRippleRow].value;
    const double f = 1000.0 * r.frequencyKhz;
    switch (r.applicationType) {
        case kPowerFactorBoost: {
            // The peak of the line: the input stands across the winding for D = 1 − V_in / V_out.
            const double vin = r.pfcPeakInputVoltage;
            const double vout = r.pfcOutputVoltage;
            const double duty = vout > vin && vout > 0 ? 1 - vin / vout : 0;
            const double swing = inductanceH > 0 && f > 0 ? vin * duty / (f * inductanceH) : 0;
            return {switchedExcitation(f, r.maxCurrent, swing, duty, vin, vin - vout),
                    "peak of the line cycle"};
        }
        case kPowerline: {
            const double line = r.lineFrequencyHz;
            const double peak = std::sqrt(2.0) * r.acCurrentMax;
            json e = {{"frequency", finite(line)}};
            e["current"] = sinusoid(peak, 0);
            e["voltage"] =
                sinusoid(2 * std::numbers::pi * line * inductanceH * peak, std::numbers::pi / 2);
            return {e, "line current"};
        }
        case kResonant: {
            const double peak = r.resonantPeakCurrent;
            json e = {{"frequency", finite(f)}};
            e["current"] = sinusoid(peak, 0);
            e["voltage"] =
                sinusoid(2 * std::numbers::pi * f * inductanceH * peak, std::numbers::pi / 2);
            return {e, "resonant current"};
        }
        default: {
            const double on = r.onVoltage;
            const double off = r.offVoltage;
            const double duty = on + off > 0 ? off / (on + off) : 0;
            return {switchedExcitation(f, r.maxCurrent, ripple, duty, on, -off), "design current"};
        }
    }
}

// Where the inductance holds: at the DC bias of a DC-biased, swinging or PFC choke; at the rms
// current and frequency of a powerline or resonant one.
json measurementCondition(const DesignRecord& r) {
    json condition = {{"temperature", finite(r.ambientTemp)}};
    switch (r.applicationType) {
        case kPowerline:
            condition["currentRms"] = std::abs(finite(r.acCurrentMax));
            if (r.lineFrequencyHz > 0) condition["frequency"] = finite(r.lineFrequencyHz);
            condition["dcBiasCurrent"] = 0.0;
            break;
        case kResonant:
            condition["currentRms"] = std::abs(finite(r.resonantPeakCurrent)) / std::sqrt(2.0);
            if (r.frequencyKhz > 0) condition["frequency"] = 1000.0 * finite(r.frequencyKhz);
            condition["dcBiasCurrent"] = 0.0;
            break;
        default:
            condition["dcBiasCurrent"] = finite(r.maxCurrent);
            break;
    }
    return condition;
}

// The core: toroids (iron powder and composite) by their outside and inside diameters and height,
// E-cores as a set of two by the IEC 62317 half-set dimensions; one core of the stack each.
json core(const DesignRecord& r) {
    const std::string part = splitStackedPartNumber(r.corePartNumber).partNumber;
    const PartNumberTokens tokens = parsePartNumber(part);
    const int stack = std::max(1, r.stackedCores);
    json shape = {{"type", "custom"}, {"name", tokens.shapeAndSize}};
    std::string type = "toroidal";
    const auto metres = [](double inches) { return json(finite(inches * kMetresPerInch)); };
    if (partNumberShape(part) == kECore && r.Esize) {
        const ECoreSize& e = *r.Esize;
        type = "twoPieceSet";
        shape["family"] = "e";
        shape["dimensions"] = {{"A", metres(e.a)},         {"B", metres(e.b / 2)},
                               {"C", metres(e.c / stack)}, {"D", metres(e.d / 2)},
                               {"E", metres(e.f)},         {"F", metres(e.e)}};
    } else {
        shape["family"] = "t";
        shape["dimensions"] = {
            {"A", metres(r.coreOd)}, {"B", metres(r.coreId)}, {"C", metres(r.coreHt / stack)}};
    }
    json functional = {{"type", type},
                       {"material", "Korvell " + tokens.material},
                       {"shape", shape},
                       {"gapping", json::array()},
                       {"numberStacks", stack}};
    return {{"name", part}, {"functionalDescription", functional}};
}

json wire(const DesignRecord& r) {
    const std::string name =
        trimmed(wireSizeText(r.wireGageSystem, r.wireGage)) + " " + trimmed(r.wireGageName);
    json w = {{"type", "round"},
              {"name", name},
              {"material", "copper"},
              {"conductingDiameter", nominal(r.wireBareDia * kMetresPerInch)},
              {"outerDiameter", nominal(r.wireDia * kMetresPerInch)}};
    if (r.wireGageSystem == kAwg) w["standard"] = "NEMA MW 1000 C";
    if (r.wireGageSystem == kMetricWire) w["standard"] = "IEC 60317";
    return w;
}

// MAS asks every coil for its bobbin: an E-core's by the core's size; a toroid is wound without
// one, which the OpenMagnetics tools name "Dummy".
std::string bobbinName(const DesignRecord& r) {
    const std::string part = splitStackedPartNumber(r.corePartNumber).partNumber;
    if (partNumberShape(part) == kECore) return parsePartNumber(part).shapeAndSize + " bobbin";
    return "Dummy";
}

}  // namespace

std::string masTopology(std::int8_t application) {
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            return "buckConverter";
        case kPowerFactorBoost:
            return "boostConverter";
        case kResonant:
            return "seriesResonantConverter";
        default:
            return "";
    }
}

std::string masDocumentText(const DesignRecord& r, const AnalysisTable& table) {
    const std::string part = splitStackedPartNumber(r.corePartNumber).partNumber;
    const int turns = std::max(1, static_cast<int>(r.turns));
    const int strands = std::max(1, r.wireStrands);
    const std::string name = part + (r.stackedCores > 1 ? strprintf(" x%d", r.stackedCores) : "") +
                             strprintf(", %d turns", turns);
    const double inductanceH = table.rows[kInductanceRow].value * 1e-6;
    const double required = r.inductanceRequired > 0 ? 1e-3 * r.inductanceRequired : inductanceH;

    json requirements = {{"name", name},
                         {"magnetizingInductance", {{"minimum", finite(required)}}},
                         {"turnsRatios", json::array()},
                         {"application", "power"}};
    if (const std::string topology = masTopology(r.applicationType); !topology.empty())
        requirements["topology"] = topology;

    auto [drive, driveName] = excitation(r, table);
    drive["name"] = "winding";
    json point = {{"name", driveName},
                  {"conditions", {{"ambientTemperature", finite(r.ambientTemp)}}},
                  {"excitationsPerWinding", json::array({drive})}};

    json winding = {{"name", "winding"},
                    {"numberTurns", turns},
                    {"numberParallels", strands},
                    {"isolationSide", "primary"},
                    {"wire", wire(r)}};

    const double rise = table.rows[kTempRiseRow].value;
    const double hot = r.ambientTemp + rise;
    json output;
    if (inductanceH > 0) {
        output["inductance"] = {
            {"magnetizingInductance",
             {{"origin", "simulation"},
              {"methodUsed", std::string(kMethod) + ": DC-bias and AC permeability of the core"},
              {"magnetizingInductance", nominal(inductanceH)},
              {"coreReluctance", finite(turns * static_cast<double>(turns) / inductanceH)},
              {"measurementCondition", measurementCondition(r)}}}};
    }
    const double copper = table.rows[kCopperLossRow].value;
    if (copper > 0) {
        output["windingLosses"] = {{"origin", "simulation"},
                                   {"methodUsed", std::string(kMethod) + ": copper loss"},
                                   {"windingLosses", finite(copper)},
                                   {"temperature", finite(hot)}};
    }
    const double coreLoss = table.rows[kCoreLossRow].value;
    if (coreLoss > 0) {
        output["coreLosses"] = {{"origin", "simulation"},
                                {"methodUsed", std::string(kMethod) + ": core loss"},
                                {"coreLosses", finite(coreLoss)},
                                {"temperature", finite(hot)}};
    }
    output["temperature"] = {{"origin", "simulation"},
                             {"methodUsed", std::string(kMethod) + ": temperature rise"},
                             {"initialTemperature", finite(r.ambientTemp)},
                             {"maximumTemperature", finite(hot)}};

    const json document = {
        {"masVersion", kMasVersion},
        {"masConformance", kMasConformance},
        {"inputs",
         {{"designRequirements", requirements}, {"operatingPoints", json::array({point})}}},
        {"magnetic",
         {{"core", core(r)},
          {"coil",
           {{"bobbin", bobbinName(r)}, {"functionalDescription", json::array({winding})}}}}},
        {"outputs", json::array({output})},
    };
    // Texts from the record (a part number read from a design file) may hold any bytes.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string masFileName(const DesignRecord& record) {
    std::string name;
    for (const char c : splitStackedPartNumber(record.corePartNumber).partNumber) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_';
        name += plain && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    }
    return (name.empty() ? "inductor" : name) + ".mas.json";
}

}  // namespace korvell
