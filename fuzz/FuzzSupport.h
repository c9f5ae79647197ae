// What the fuzz targets share: reading a fuzzer's bytes as choices and field texts, a fingerprint
// of the design record to tell whether a refusal changed it, and the checks that must hold.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell::fuzz {

// A failed property: print it with the input that led there and stop, so libFuzzer keeps the
// input as a crash.
[[noreturn]] inline void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "PROPERTY FAILED: %s\n  %s\n", what, detail.c_str());
    std::abort();
}
#define FUZZ_CHECK(condition, detail)                                  \
    do {                                                               \
        if (!(condition)) ::korvell::fuzz::fail(#condition, (detail)); \
    } while (0)

// The fuzzer's bytes: a few leading choice bytes, then texts separated by '|'.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size) {}

    // A choice in 0..n-1 from the next byte (0 when the bytes are used up).
    int pick(int n) {
        if (m_at >= m_bytes.size() || n <= 0) return 0;
        return static_cast<unsigned char>(m_bytes[m_at++]) % n;
    }
    // The rest of the bytes as `count` texts split at '|' (missing ones empty).
    std::vector<std::string> texts(std::size_t count) {
        std::vector<std::string> out(count);
        std::size_t k = 0;
        for (std::size_t i = m_at; i < m_bytes.size(); ++i) {
            if (m_bytes[i] == '|') {
                if (++k == count) break;
                continue;
            }
            out[k] += m_bytes[i];
        }
        m_at = m_bytes.size();
        return out;
    }
    std::string rest() {
        std::string out = m_bytes.substr(std::min(m_at, m_bytes.size()));
        m_at = m_bytes.size();
        return out;
    }

  private:
    std::string m_bytes;
    std::size_t m_at = 0;
};

inline std::string joined(const std::vector<std::string>& texts) {
    std::string s;
    for (const auto& t : texts)
        s += "[" + t.substr(0, 40) + "]";
    return s;
}

// Every field the entry checks and the analysis may write, bit for bit, in one text: two
// records with the same fingerprint hold the same entries, requirements, parameters, counts,
// current wire, core and winding solution, results and display settings.
inline std::string fingerprint(const DesignRecord& r) {
    std::string s;
    const auto add = [&s](const auto& value) {
        s.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    const auto text = [&s](const std::string& t) { s += t + '\x1f'; };
    add(r.applicationType);
    add(r.coreShape);
    add(r.windingMode);
    add(r.stackedCores);
    add(r.wireStrands);
    add(r.wireGageSystem);
    for (const auto& m : r.selectedMaterials)
        text(m);
    add(r.requirementsByApplication);
    add(r.designParamsByApplication);
    for (float v : {r.inductanceRequired,
                    r.maxDcResistance,
                    r.maxCurrent,
                    r.inductanceAtMinCurrent,
                    r.minCurrent,
                    r.onVoltage,
                    r.offVoltage,
                    r.pfcPeakInputVoltage,
                    r.pfcOutputVoltage,
                    r.pfcVoltageRatio,
                    r.acCurrentMax,
                    r.acCurrentMin,
                    r.lineFrequencyHz,
                    r.resonantPeakCurrent,
                    r.resonantPeakVoltage,
                    r.frequencyKhz,
                    r.rippleCurrent,
                    r.avgVoltage,
                    r.maxTempRise,
                    r.minCopperAreaCma,
                    r.maxFillFactor,
                    r.minPercentPerm,
                    r.resistivityFactor,
                    r.tempRiseFactor,
                    r.tempRiseExponent,
                    r.leadLengthTotal,
                    r.ambientTemp,
                    r.corePerm,
                    r.coreAl,
                    r.coreAe,
                    r.coreLe,
                    r.coreWindowKcmil,
                    r.coreMlt,
                    r.coreId,
                    r.coreOd,
                    r.coreHt,
                    r.wireArea,
                    r.wireBareDia,
                    r.wireDia,
                    r.wireMaxDia,
                    r.wireBuild,
                    r.wireGage,
                    r.wireOhmsPerFoot,
                    r.wireWeightPerFoot,
                    r.percentPerm,
                    r.turns,
                    r.dcResistance,
                    r.acResistance,
                    r.fluxAc,
                    r.coreLossMw,
                    r.copperLossMw,
                    r.tempRise,
                    r.lastStoredWireGage,
                    r.lengthFactor,
                    r.longLengthFactor,
                    r.weightFactor}) {
        add(v);
    }
    text(r.corePartNumber);
    text(r.catalogLine);
    text(r.wireSystemLabel);
    text(r.wireGageName);
    text(r.lengthUnitName);
    text(r.longLengthUnitName);
    text(r.weightUnitName);
    add(r.unitSystem);
    add(r.designCount);
    add(r.selectedDesign);
    for (const auto& row : r.reqtSummary) {
        text(row.label);
        text(row.value);
        text(row.units);
    }
    for (const auto& d : r.designResults) {
        text(d.partNumber);
        text(d.wire);
        add(d.turns);
        add(d.rdc);
    }
    return s;
}

// The captions of the program's message boxes that an entry check may use.
inline bool isEntryCaption(std::string_view caption) {
    return caption == "DATA ENTRY ERROR" || caption == "PARAMETER OUT OF RANGE ERROR" ||
           caption == "ESSENTIAL DATA MISSING" || caption == "ERROR ";
}

inline bool finite(double v) {
    return std::isfinite(v);
}

}  // namespace korvell::fuzz
