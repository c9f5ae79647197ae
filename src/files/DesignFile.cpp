#include "files/DesignFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

#include "engine/DesignSearch.h"
#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "materials/Catalog.h"
#include "platform/Format.h"

namespace korvell {

const std::array<std::string_view, kApplicationCount> kApplicationKeys = {
    "dc", "controlled-swing", "wide-swing", "pfc", "powerline", "resonant"};
const std::array<std::string_view, 3> kCoreShapeKeys = {"toroid", "e-core", "composite"};
const std::array<std::string_view, 2> kWindingKeys = {"full", "single"};
const std::array<std::string_view, 3> kUnitSystemKeys = {"metric", "english", "mixed-english"};
const std::array<std::string_view, 3> kGageSystemKeys = {"metric", "awg", "swg"};

namespace {

using Json = nlohmann::ordered_json;

// Named float members of the record's structures, in the order the file writes them.
template <typename T>
struct FloatField {
    const char* name;
    float T::*member;
};

// The requirement columns of one application, in record units.
constexpr std::array<const char*, kRequirementColumns> kRequirementKeys = {
    "inductanceMh", "maxDcResistanceOhm", "currentA",  "inductanceAtMinCurrentMh",
    "minCurrentA",  "voltage1V",          "voltage2V", "frequency"};

// The design choices of one application, beside its parameter columns; a file written before
// them lacks them and reads as the defaults.
const std::array<std::string_view, 2> kRiseLimitByKeys = {"program", "check"};
const std::array<std::string_view, 2> kDesignAtKeys = {"nominal", "worst-case"};
const std::vector<std::string> kChoiceKeys = {"riseLimitBy", "alTolerancePercent", "designAt"};

// The design parameter columns of one application; the last two are counts.
constexpr std::array<const char*, kDesignParamColumns> kParameterKeys = {
    "maxTempRiseC",      "copperAreaCmilPerA", "fillPercent",      "minPercentPerm",
    "resistivityFactor", "tempRiseFactor",     "tempRiseExponent", "leadLengthIn",
    "ambientC",          "stackedCores",       "wireStrands"};

using R = DesignRecord;
const std::array<FloatField<R>, 18> kActiveRequirementFields = {{
    {"inductanceRequired", &R::inductanceRequired},
    {"maxDcResistance", &R::maxDcResistance},
    {"maxCurrent", &R::maxCurrent},
    {"inductanceAtMinCurrent", &R::inductanceAtMinCurrent},
    {"minCurrent", &R::minCurrent},
    {"onVoltage", &R::onVoltage},
    {"offVoltage", &R::offVoltage},
    {"pfcPeakInputVoltage", &R::pfcPeakInputVoltage},
    {"pfcOutputVoltage", &R::pfcOutputVoltage},
    {"pfcVoltageRatio", &R::pfcVoltageRatio},
    {"acCurrentMax", &R::acCurrentMax},
    {"acCurrentMin", &R::acCurrentMin},
    {"lineFrequencyHz", &R::lineFrequencyHz},
    {"resonantPeakCurrent", &R::resonantPeakCurrent},
    {"resonantPeakVoltage", &R::resonantPeakVoltage},
    {"frequencyKhz", &R::frequencyKhz},
    {"rippleCurrent", &R::rippleCurrent},
    {"avgVoltage", &R::avgVoltage},
}};

// The active design parameters with the limits the parameters window gives their columns
// (the fill as a fraction, the lead length for both leads).
struct ActiveParameter {
    const char* name;
    float R::*member;
    float min;
    float max;
};
const std::array<ActiveParameter, 9> kActiveParameterFields = {{
    {"maxTempRise", &R::maxTempRise, 0, 200},
    {"minCopperAreaCma", &R::minCopperAreaCma, 10, 9999},
    {"maxFillFactor", &R::maxFillFactor, 0.001f, 0.99f},
    {"minPercentPerm", &R::minPercentPerm, 10, 100},
    {"resistivityFactor", &R::resistivityFactor, 0.9f, 1.1f},
    {"tempRiseFactor", &R::tempRiseFactor, 0.1f, 10},
    {"tempRiseExponent", &R::tempRiseExponent, 0.25f, 1},
    {"leadLengthTotal", &R::leadLengthTotal, 0, 200},
    {"ambientTemp", &R::ambientTemp, -200, 250},
}};

using D = DesignResult;
// A result field with the largest value a search can store in it: the rise is at most the
// largest temperature rise the parameters take (200 °C), the fill at most twice the window (the
// E-core's bobbin fill can pass the toroid's limit), the share of permeability at most ten times
// the initial (a swing choke's share passes 100 %). The others follow from the requirements
// without a limit of their own, and odd requirements give odd figures (flux swings of 1e26
// gauss were seen), so they are bounded only by what a field can hold.
constexpr float kUnbounded = FLT_MAX;
struct ResultField {
    const char* name;
    float D::*member;
    float max;
};
const std::array<ResultField, 17> kResultFloatFields = {{
    {"price", &D::price, kUnbounded},
    {"al", &D::al, kUnbounded},
    {"fillPercent", &D::fillPercent, 200},
    {"rdc", &D::rdc, kUnbounded},
    {"rac", &D::rac, kUnbounded},
    {"bac", &D::bac, kUnbounded},
    {"percentPerm", &D::percentPerm, 1000},
    {"coreLossW", &D::coreLossW, kUnbounded},
    {"copperLossW", &D::copperLossW, kUnbounded},
    {"tempRise", &D::tempRise, 200},
    {"build", &D::build, kUnbounded},
    {"woundOd", &D::woundOd, kUnbounded},
    {"woundId", &D::woundId, kUnbounded},
    {"woundHeight", &D::woundHeight, kUnbounded},
    {"bobbinDim", &D::bobbinDim, kUnbounded},
    {"surfaceArea", &D::surfaceArea, kUnbounded},
    {"coreVolume", &D::coreVolume, kUnbounded},
}};
// The inductances a design reaches: written since version 2; a file written before them reads
// as 0, "not known".
const std::array<ResultField, 3> kResultInductanceFields = {{
    {"inductanceUh", &D::inductanceUh, kUnbounded},
    {"inductanceAtMinCurrentUh", &D::inductanceAtMinCurrentUh, kUnbounded},
    {"inductanceMinUh", &D::inductanceMinUh, kUnbounded},
}};

// The wire of a result: areas in circular mils, lengths in inches, gages (AWG, SWG or mm).
using W = DesignWire;
struct WireField {
    const char* name;
    float W::*member;
    float min;  // gages below zero stand for AWG 00 to 0000
    float max;
};
const std::array<WireField, 8> kWireFloatFields = {{
    {"area", &W::area, 0, 1e7f},
    {"bareDia", &W::bareDia, 0, 10},
    {"dia", &W::dia, 0, 10},
    {"maxDia", &W::maxDia, 0, 10},
    {"build", &W::build, 0, 10},
    {"gage", &W::gage, -3, 1e3f},
    {"ohmsPerFoot", &W::ohmsPerFoot, 0, 1e6f},
    {"weightPerFoot", &W::weightPerFoot, 0, 1e6f},
}};

// The dimension slots of a result, in inches or square inches.
constexpr float kLargestDimension = kUnbounded;

// The longest catalog part (12 characters) with " x" and the largest stack count (8 digits).
constexpr std::size_t kPartNumberLength = 22;
constexpr std::size_t kWireTextLength = 7;  // char[8]
constexpr std::size_t kWireLabelLength = 7;

// A float as the shortest decimal that reads back as the same float.
Json number(float value) {
    return Json(shortestFloatValue(value));
}

void writeChoices(Json& parent, const DesignChoices& c) {
    parent["riseLimitBy"] = std::string(kRiseLimitByKeys[c.riseLimitBy == kRiseByCheck ? 1 : 0]);
    parent["alTolerancePercent"] = number(c.alTolerancePercent);
    parent["designAt"] = std::string(kDesignAtKeys[c.designAt == kDesignAtWorstCase ? 1 : 0]);
}

template <std::size_t N>
int indexOf(const std::array<std::string_view, N>& keys, std::string_view key) {
    const auto it = std::find(keys.begin(), keys.end(), key);
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

bool hasResults(const DesignRecord& r) {
    return r.designCount > 0 || !r.designResults[0].partNumber.empty();
}

Json resultsJson(const DesignRecord& r) {
    Json search = Json::object();
    Json active = Json::object();
    for (const auto& f : kActiveRequirementFields)
        active[f.name] = number(r.*(f.member));
    search["activeRequirements"] = active;
    Json parameters = Json::object();
    for (const auto& f : kActiveParameterFields)
        parameters[f.name] = number(r.*(f.member));
    writeChoices(parameters, {r.riseLimitBy, r.alTolerancePercent, r.designAt});
    search["activeParameters"] = parameters;
    Json summary = Json::array();
    for (const auto& row : r.reqtSummary)
        summary.push_back({{"label", row.label}, {"value", row.value}, {"units", row.units}});
    search["summary"] = summary;
    const int count = std::clamp(r.designCount, 0, kMaxDesigns);
    search["designCount"] = count;
    Json designs = Json::array();
    for (int i = 0; i < count; ++i) {
        const DesignResult& d = r.designResults[i];
        Json design = {{"partNumber", d.partNumber},
                       {"strands", d.strands},
                       {"turns", d.turns},
                       {"wire", d.wire}};
        for (const auto& f : kResultFloatFields)
            design[f.name] = number(d.*(f.member));
        for (const auto& f : kResultInductanceFields)
            design[f.name] = number(d.*(f.member));
        const DesignWire& w = r.designWires[i];
        Json wire = {{"label", w.label}};
        for (const auto& f : kWireFloatFields)
            wire[f.name] = number(w.*(f.member));
        design["wireData"] = wire;
        Json dimensions = Json::array();
        for (const auto& slot : r.designDimensions[i].slot)
            dimensions.push_back(slot ? number(*slot) : Json(nullptr));
        design["dimensions"] = dimensions;
        designs.push_back(design);
    }
    search["designs"] = designs;
    search["endMarker"] =
        count < kMaxDesigns ? Json(r.designResults[count].partNumber) : Json(nullptr);
    return search;
}

// ---------------------------------------------------------------------------------------------
// Reading: every check says which field and which value it refused.

struct Refusal {
    std::string text;
};

std::string shown(const Json& value) {
    std::string text = value.dump();
    if (text.size() > 40) text = text.substr(0, 37) + "...";
    return text;
}

[[noreturn]] void refuse(const std::string& field, const std::string& why) {
    throw Refusal{"DESIGN FILE FIELD " + field + ": " + why};
}

[[noreturn]] void refuseValue(const std::string& field, const Json& value, const std::string& why) {
    refuse(field, shown(value) + " " + why);
}

// The members of an object: all of `keys` present, those of `optional` present or not (fields a
// file written before them lacks), and none other.
const Json& object(const Json& parent, const std::string& field,
                   const std::vector<std::string>& keys,
                   const std::vector<std::string>& optional = {}) {
    if (!parent.is_object()) refuseValue(field, parent, "is not an object");
    for (const auto& [key, value] : parent.items()) {
        (void)value;
        if (std::find(keys.begin(), keys.end(), key) == keys.end() &&
            std::find(optional.begin(), optional.end(), key) == optional.end()) {
            refuse(field.empty() ? key : field + "." + key, "is not a field of a design file");
        }
    }
    for (const auto& key : keys) {
        if (!parent.contains(key)) refuse(field.empty() ? key : field + "." + key, "is missing");
    }
    return parent;
}

std::string path(const std::string& parent, const std::string& key) {
    return parent.empty() ? key : parent + "." + key;
}

float readFloat(const Json& value, const std::string& field, double min, double max) {
    if (!value.is_number()) refuseValue(field, value, "is not a number");
    double v = value.get<double>();
    // The largest float is written as its shortest decimal, 3.4028235e+38, a little above it.
    constexpr double kLargestWritten = 3.4028235e38;
    if (!std::isfinite(v) || std::fabs(v) > kLargestWritten) {
        refuseValue(field, value, "is not a number a field can hold");
    }
    v = std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX));
    // A minus zero is the zero the program writes: it would show as "-0.00".
    const float f = v == 0 ? 0.0f : static_cast<float>(v);
    if (f < min || f > max) {
        refuseValue(
            field, value,
            strprintf("is outside %g to %g", min, static_cast<double>(std::min(max, 3.4e38))));
    }
    return f;
}

std::int32_t readCount(const Json& value, const std::string& field, std::int64_t min,
                       std::int64_t max) {
    if (!value.is_number_integer()) refuseValue(field, value, "is not a whole number");
    const auto v = value.get<std::int64_t>();
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)) {
        refuseValue(field, value,
                    strprintf("is outside %lld to %lld", static_cast<long long>(min),
                              static_cast<long long>(max)));
    }
    if (v < min || v > max) {
        refuseValue(field, value,
                    strprintf("is outside %lld to %lld", static_cast<long long>(min),
                              static_cast<long long>(max)));
    }
    return static_cast<std::int32_t>(v);
}

std::string readText(const Json& value, const std::string& field, std::size_t longest) {
    if (!value.is_string()) refuseValue(field, value, "is not a text");
    const std::string text = value.get<std::string>();
    if (text.size() > longest) {
        refuseValue(field, value, strprintf("is longer than %zu characters", longest));
    }
    for (const unsigned char c : text) {
        if (c < 0x20 || c >= 0x7f) refuseValue(field, value, "holds a character a field cannot");
    }
    return text;
}

template <std::size_t N>
int readChoice(const Json& value, const std::string& field,
               const std::array<std::string_view, N>& keys) {
    if (!value.is_string()) refuseValue(field, value, "is not a text");
    const int index = indexOf(keys, value.get<std::string>());
    if (index < 0) {
        std::string choices;
        for (const auto& key : keys)
            choices += (choices.empty() ? "" : ", ") + std::string(key);
        refuseValue(field, value, "is not one of " + choices);
    }
    return index;
}

// A part number of the results: a catalog part, with " x" and the stack count when stacked.
std::string readPartNumber(const Json& value, const std::string& field) {
    const std::string text = readText(value, field, kPartNumberLength);
    if (!findCatalogRow(text)) refuseValue(field, value, "is not a part number of the catalog");
    return text;
}

void readRequirements(const Json& file, DesignRecord& r) {
    std::vector<std::string> apps(kApplicationKeys.begin(), kApplicationKeys.end());
    const Json& all = object(file.at("requirements"), "requirements", apps);
    for (int a = 0; a < kApplicationCount; ++a) {
        const std::string field = path("requirements", apps[a]);
        const Json& row =
            object(all.at(apps[a]), field,
                   std::vector<std::string>(kRequirementKeys.begin(), kRequirementKeys.end()));
        for (int k = 0; k < kRequirementColumns; ++k) {
            // The requirement fields take no minus sign.
            r.requirementsByApplication[a][k] = readFloat(
                row.at(kRequirementKeys[k]), path(field, kRequirementKeys[k]), 0, FLT_MAX);
        }
    }
}

// The design choices of an object that may hold them; the defaults for those it lacks.
DesignChoices readChoices(const Json& parent, const std::string& field) {
    DesignChoices c;
    if (parent.contains("riseLimitBy")) {
        c.riseLimitBy = static_cast<std::int8_t>(
            readChoice(parent.at("riseLimitBy"), path(field, "riseLimitBy"), kRiseLimitByKeys));
    }
    if (parent.contains("alTolerancePercent")) {
        c.alTolerancePercent =
            readFloat(parent.at("alTolerancePercent"), path(field, "alTolerancePercent"),
                      kAlToleranceLimit.min, kAlToleranceLimit.max);
    }
    if (parent.contains("designAt")) {
        c.designAt = static_cast<std::int8_t>(
            readChoice(parent.at("designAt"), path(field, "designAt"), kDesignAtKeys));
    }
    return c;
}

void readParameters(const Json& file, DesignRecord& r) {
    std::vector<std::string> apps(kApplicationKeys.begin(), kApplicationKeys.end());
    const Json& all = object(file.at("designParameters"), "designParameters", apps);
    for (int a = 0; a < kApplicationCount; ++a) {
        const std::string field = path("designParameters", apps[a]);
        const Json& row = object(
            all.at(apps[a]), field,
            std::vector<std::string>(kParameterKeys.begin(), kParameterKeys.end()), kChoiceKeys);
        r.designChoicesByApplication[a] = readChoices(row, field);
        for (int k = 0; k < kDesignParamColumns; ++k) {
            const std::string name = path(field, kParameterKeys[k]);
            if (k < kDesignParamLimitCount) {
                const ParamLimit limit = kDesignParamLimits[k];
                r.designParamsByApplication[a][k] =
                    readFloat(row.at(kParameterKeys[k]), name, limit.min, limit.max);
            } else {
                r.designParamsByApplication[a][k] = static_cast<float>(
                    readCount(row.at(kParameterKeys[k]), name, 1, kLargestCount));
            }
        }
    }
}

void readMaterials(const Json& value, DesignRecord& r) {
    if (!value.is_array()) refuseValue("materials", value, "is not a list");
    for (auto& slot : r.selectedMaterials)
        slot.clear();
    for (const Json& code : value) {
        const int k = readChoice(code, "materials", kSelectableMaterials);
        if (!r.selectedMaterials[k].empty()) refuseValue("materials", code, "is listed twice");
        r.selectedMaterials[k] = std::string(kSelectableMaterials[k]);
    }
}

void readResults(const Json& value, DesignRecord& r) {
    const Json& search = object(value, "lastSearch",
                                {"activeRequirements", "activeParameters", "summary", "designCount",
                                 "designs", "endMarker"});
    std::vector<std::string> names;
    for (const auto& f : kActiveRequirementFields)
        names.push_back(f.name);
    const Json& active =
        object(search.at("activeRequirements"), "lastSearch.activeRequirements", names);
    for (const auto& f : kActiveRequirementFields) {
        r.*(f.member) =
            readFloat(active.at(f.name), path("lastSearch.activeRequirements", f.name), 0, FLT_MAX);
    }
    names.clear();
    for (const auto& f : kActiveParameterFields)
        names.push_back(f.name);
    const Json& parameters =
        object(search.at("activeParameters"), "lastSearch.activeParameters", names, kChoiceKeys);
    for (const auto& f : kActiveParameterFields) {
        r.*(f.member) = readFloat(parameters.at(f.name),
                                  path("lastSearch.activeParameters", f.name), f.min, f.max);
    }
    const DesignChoices choices = readChoices(parameters, "lastSearch.activeParameters");
    r.riseLimitBy = choices.riseLimitBy;
    r.alTolerancePercent = choices.alTolerancePercent;
    r.designAt = choices.designAt;

    const Json& summary = search.at("summary");
    if (!summary.is_array() || summary.size() != r.reqtSummary.size()) {
        refuseValue("lastSearch.summary", summary, "is not a list of nine rows");
    }
    for (std::size_t k = 0; k < r.reqtSummary.size(); ++k) {
        const std::string field = strprintf("lastSearch.summary[%zu]", k);
        const Json& row = object(summary[k], field, {"label", "value", "units"});
        r.reqtSummary[k].label = readText(row.at("label"), field + ".label", 32);
        r.reqtSummary[k].value = readText(row.at("value"), field + ".value", 16);
        r.reqtSummary[k].units = readText(row.at("units"), field + ".units", 32);
    }

    r.designCount = readCount(search.at("designCount"), "lastSearch.designCount", 0, kMaxDesigns);
    const Json& designs = search.at("designs");
    if (!designs.is_array() || designs.size() != static_cast<std::size_t>(r.designCount)) {
        refuseValue("lastSearch.designs", designs,
                    strprintf("is not a list of designCount (%d) designs", r.designCount));
    }
    std::vector<std::string> designKeys = {"partNumber", "strands",  "turns",
                                           "wire",       "wireData", "dimensions"};
    for (const auto& f : kResultFloatFields)
        designKeys.push_back(f.name);
    std::vector<std::string> inductanceKeys;
    for (const auto& f : kResultInductanceFields)
        inductanceKeys.push_back(f.name);
    std::vector<std::string> wireKeys = {"label"};
    for (const auto& f : kWireFloatFields)
        wireKeys.push_back(f.name);
    for (int i = 0; i < r.designCount; ++i) {
        const std::string field = strprintf("lastSearch.designs[%d]", i);
        const Json& design = object(designs[i], field, designKeys, inductanceKeys);
        DesignResult& d = r.designResults[i];
        d.partNumber = readPartNumber(design.at("partNumber"), field + ".partNumber");
        d.strands = readCount(design.at("strands"), field + ".strands", 1, kLargestCount);
        d.turns = readCount(design.at("turns"), field + ".turns", 1, kLargestCount);
        d.wire = readText(design.at("wire"), field + ".wire", kWireTextLength);
        for (const auto& f : kResultFloatFields) {
            // Results are magnitudes; none is negative.
            d.*(f.member) = readFloat(design.at(f.name), path(field, f.name), 0, f.max);
        }
        for (const auto& f : kResultInductanceFields) {
            d.*(f.member) = design.contains(f.name)
                                ? readFloat(design.at(f.name), path(field, f.name), 0, f.max)
                                : 0.0f;
        }
        const Json& wire = object(design.at("wireData"), field + ".wireData", wireKeys);
        DesignWire& w = r.designWires[i];
        w.label = readText(wire.at("label"), field + ".wireData.label", kWireLabelLength);
        for (const auto& f : kWireFloatFields) {
            w.*(f.member) =
                readFloat(wire.at(f.name), path(field + ".wireData", f.name), f.min, f.max);
        }
        const Json& dimensions = design.at("dimensions");
        if (!dimensions.is_array() || dimensions.size() != 8) {
            refuseValue(field + ".dimensions", dimensions, "is not a list of eight slots");
        }
        for (std::size_t k = 0; k < 8; ++k) {
            const Json& slot = dimensions[k];
            auto& target = r.designDimensions[i].slot[k];
            if (slot.is_null()) {
                target.reset();
            } else {
                target = readFloat(slot, strprintf("%s.dimensions[%zu]", field.c_str(), k), 0,
                                   kLargestDimension);
            }
        }
    }
    const Json& marker = search.at("endMarker");
    if (r.designCount < kMaxDesigns) {
        const std::string text = readText(marker, "lastSearch.endMarker", kPartNumberLength);
        if (text != kEndOfCatalogMarker) {
            refuseValue("lastSearch.endMarker", marker,
                        std::string("is not ") + kEndOfCatalogMarker);
        }
        r.designResults[r.designCount].partNumber = text;
    } else if (!marker.is_null()) {
        refuseValue("lastSearch.endMarker", marker, "follows forty designs");
    }
}

void readFile(const Json& file, DesignRecord& r) {
    if (!file.is_object()) refuseValue("the file", file, "is not a design file");
    if (!file.contains("format") || file.at("format") != std::string(kDesignFileFormat)) {
        refuse("format", "this is not a Korvell Inductors design file");
    }
    if (!file.contains("version")) refuse("version", "is missing");
    const Json& version = file.at("version");
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1) {
        refuseValue("version", version, "is not a version of the design file");
    }
    if (version.get<std::int64_t>() > kDesignFileVersion) {
        throw Refusal{strprintf(
            "THE DESIGN FILE IS OF VERSION %lld, NEWER THAN THIS PROGRAM READS (VERSION %d).  "
            "OPEN IT WITH A NEWER KORVELL INDUCTORS.",
            static_cast<long long>(version.get<std::int64_t>()), kDesignFileVersion)};
    }
    std::vector<std::string> keys = {
        "format", "version",    "application",  "coreShape",   "winding",      "materials",
        "units",  "gageSystem", "stackedCores", "wireStrands", "requirements", "designParameters"};
    if (file.contains("lastSearch")) keys.push_back("lastSearch");
    object(file, "", keys);

    r.applicationType = static_cast<std::int8_t>(
        readChoice(file.at("application"), "application", kApplicationKeys));
    r.coreShape =
        static_cast<std::int8_t>(readChoice(file.at("coreShape"), "coreShape", kCoreShapeKeys));
    r.windingMode =
        static_cast<std::int8_t>(readChoice(file.at("winding"), "winding", kWindingKeys));
    readMaterials(file.at("materials"), r);
    const int units = readChoice(file.at("units"), "units", kUnitSystemKeys);
    const int gage = readChoice(file.at("gageSystem"), "gageSystem", kGageSystemKeys);
    // The systems the program starts with keep the unit names it starts with; others are set
    // as the parameters window sets them.
    if (units != r.unitSystem || gage != r.wireGageSystem) applyDisplayUnits(r, units, gage);
    r.stackedCores = readCount(file.at("stackedCores"), "stackedCores", 1, kLargestCount);
    r.wireStrands = readCount(file.at("wireStrands"), "wireStrands", 1, kLargestCount);
    readRequirements(file, r);
    readParameters(file, r);
    // The windows take the selections as they stand: no application change is pending.
    r.lastApplication = r.applicationType;
    r.savedShape = r.coreShape;
    r.savedWindingMode = r.windingMode;
    if (file.contains("lastSearch") && !file.at("lastSearch").is_null()) {
        readResults(file.at("lastSearch"), r);
    } else {
        loadActiveDesignParameters(r);
    }
}

}  // namespace

std::string designFileText(const DesignRecord& r) {
    Json file = Json::object();
    file["format"] = kDesignFileFormat;
    file["version"] = kDesignFileVersion;
    const auto key = [](const auto& keys, int index) {
        return std::string(keys[static_cast<std::size_t>(
            std::clamp(index, 0, static_cast<int>(keys.size()) - 1))]);
    };
    file["application"] = key(kApplicationKeys, r.applicationType);
    file["coreShape"] = key(kCoreShapeKeys, r.coreShape);
    file["winding"] = key(kWindingKeys, r.windingMode);
    Json materials = Json::array();
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        if (r.selectedMaterials[k] == kSelectableMaterials[k])
            materials.push_back(r.selectedMaterials[k]);
    }
    file["materials"] = materials;
    file["units"] = key(kUnitSystemKeys, r.unitSystem);
    file["gageSystem"] = key(kGageSystemKeys, r.wireGageSystem);
    file["stackedCores"] = r.stackedCores;
    file["wireStrands"] = r.wireStrands;
    Json requirements = Json::object();
    Json parameters = Json::object();
    for (int a = 0; a < kApplicationCount; ++a) {
        Json row = Json::object();
        for (int k = 0; k < kRequirementColumns; ++k)
            row[kRequirementKeys[k]] = number(r.requirementsByApplication[a][k]);
        requirements[std::string(kApplicationKeys[a])] = row;
        Json params = Json::object();
        for (int k = 0; k < kDesignParamColumns; ++k) {
            const float v = r.designParamsByApplication[a][k];
            params[kParameterKeys[k]] = k < kDesignParamLimitCount ? number(v) : Json(toCount(v));
        }
        writeChoices(params, r.designChoicesByApplication[a]);
        parameters[std::string(kApplicationKeys[a])] = params;
    }
    file["requirements"] = requirements;
    file["designParameters"] = parameters;
    if (hasResults(r)) file["lastSearch"] = resultsJson(r);
    return file.dump(2) + "\n";
}

std::optional<std::string> readDesignFile(std::string_view text, DesignRecord& record) {
    if (text.size() > kMaxInputFileBytes) {
        return std::string("THE DESIGN FILE IS NOT READABLE: IT IS LARGER THAN 16 MIB");
    }
    if (!jsonDepthWithin(text, kMaxJsonDepth)) {
        return std::string("THE DESIGN FILE IS NOT READABLE: ITS JSON NESTS DEEPER THAN 64 LEVELS");
    }
    // The JSON reader would stop at a NUL byte and ignore the rest.
    if (text.find('\0') != std::string_view::npos) {
        return std::string("THE DESIGN FILE IS NOT READABLE: IT HOLDS A NUL BYTE");
    }
    // The reader keeps the last of two equal keys; the file would mean two things.
    std::vector<std::set<std::string>> keysOfOpenObjects;
    std::string duplicate;
    const Json::parser_callback_t noteKeys = [&](int, nlohmann::json::parse_event_t event,
                                                 Json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start) {
            keysOfOpenObjects.emplace_back();
        } else if (event == Event::object_end && !keysOfOpenObjects.empty()) {
            keysOfOpenObjects.pop_back();
        } else if (event == Event::key && !keysOfOpenObjects.empty()) {
            auto& keys = keysOfOpenObjects.back();
            const std::string key = parsed.get<std::string>();
            if (!keys.insert(key).second && duplicate.empty()) duplicate = key;
        }
        return true;
    };
    const Json file = Json::parse(text.begin(), text.end(), noteKeys, false);
    if (file.is_discarded()) {
        return std::string("THE DESIGN FILE IS NOT READABLE: IT IS NOT COMPLETE JSON");
    }
    if (!duplicate.empty()) {
        return "THE DESIGN FILE IS NOT READABLE: THE FIELD " + duplicate + " APPEARS TWICE";
    }
    DesignRecord read;
    try {
        readFile(file, read);
    } catch (const Refusal& refusal) {
        return refusal.text;
    } catch (const nlohmann::json::exception& error) {
        return std::string("THE DESIGN FILE IS NOT READABLE: ") + error.what();
    }
    record = std::move(read);
    return std::nullopt;
}

std::optional<std::string> saveDesignFile(const std::string& path, const DesignRecord& record) {
    return writeFileAtomically(path, designFileText(record));
}

std::optional<std::string> openDesignFile(const std::string& path, DesignRecord& record) {
    std::string text;
    if (auto refusal = readInputFile(path, text)) return refusal;
    return readDesignFile(text, record);
}

bool inputsAtStartUpValues(const DesignRecord& r) {
    const DesignRecord start;
    return r.applicationType == start.applicationType && r.coreShape == start.coreShape &&
           r.windingMode == start.windingMode && r.selectedMaterials == start.selectedMaterials &&
           r.unitSystem == start.unitSystem && r.wireGageSystem == start.wireGageSystem &&
           r.stackedCores == start.stackedCores && r.wireStrands == start.wireStrands &&
           r.requirementsByApplication == start.requirementsByApplication &&
           r.designParamsByApplication == start.designParamsByApplication &&
           r.designChoicesByApplication == start.designChoicesByApplication;
}

}  // namespace korvell
