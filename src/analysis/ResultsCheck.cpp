#include "analysis/ResultsCheck.h"

#include <algorithm>

#include "analysis/Analysis.h"
#include "analysis/SecondOpinion.h"
#include "analysis/Tolerance.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr int kInductanceRow = 0;  // analysis row of L, µH

bool swinging(int application) {
    return application == kControlledSwing || application == kWideSwing;
}

// A figure of a cell, or "INFINITE" where no cell can show it.
std::string figure(const char* format, double value) {
    return trimmed(figureText(format, value));
}

DesignCheck checkDesign(const DesignRecord& record, int row) {
    DesignCheck check;
    DesignRecord analyzed;
    AnalysisTable table;
    SilentMessages quiet;
    if (!analyzeResultsRow(record, row, quiet, analyzed, table)) return check;
    const SecondOpinion opinion = secondOpinion(analyzed, analyzed.applicationType);
    check.analyzed = true;
    check.inductanceUh = table.rows[kInductanceRow].value;
    const double lowEnd = 1 - 0.01 * record.alTolerancePercent;
    if (const auto low = inductanceAtAlFactor(analyzed, analyzed.applicationType, lowEnd)) {
        check.inductanceMinUh = low->atDesignCurrentUh;
    }
    check.rdcHotOhm = opinion.rdcHotOhm;
    check.copperLossW = opinion.copperLossW;
    check.totalLossW = opinion.totalLossW;
    check.tempRiseC = opinion.tempRiseC;
    check.converged = opinion.converged;
    check.opinion = opinion;

    // A swinging choke is also held to its inductance at the minimum current: the same winding
    // analyzed with the DC bias at that current.
    if (swinging(analyzed.applicationType)) {
        DesignRecord atMinimum = analyzed;
        atMinimum.maxCurrent = record.minCurrent;
        AnalysisTable minimumTable;
        if (AnalyzeDesign(atMinimum, quiet, minimumTable, atMinimum.applicationType) > 0)
            check.inductanceAtMinUh = minimumTable.rows[kInductanceRow].value;
    }

    const bool riseOver = !check.converged || check.tempRiseC > record.maxTempRise;
    const bool resistanceOver =
        record.maxDcResistance > 0 && check.rdcHotOhm > record.maxDcResistance;
    check.overLimit = riseOver || resistanceOver;
    return check;
}

std::string inductanceCell(const DesignCheck& d) {
    return figure("%.1f", d.inductanceUh);
}
std::string inductanceMinCell(const DesignCheck& d) {
    return figure("%.1f", d.inductanceMinUh);
}
std::string inductanceAtMinCell(const DesignCheck& d) {
    return d.inductanceAtMinUh ? figure("%.1f", *d.inductanceAtMinUh) : "-";
}
std::string rdcHotCell(const DesignCheck& d) {
    return figure("%.4f", d.rdcHotOhm);
}
std::string copperLossCell(const DesignCheck& d) {
    return figure("%.3f", d.copperLossW);
}
std::string totalLossCell(const DesignCheck& d) {
    return figure("%.3f", d.totalLossW);
}
std::string riseCell(const DesignCheck& d) {
    return d.converged ? figure("%.1f", d.tempRiseC) : "RUNAWAY";
}
std::string limitCell(const DesignCheck& d) {
    return d.overLimit ? "OVER" : "OK";
}

}  // namespace

ResultsCheckSource resultsCheckSource(const DesignRecord& r) {
    ResultsCheckSource s;
    s.designs = r.designResults;
    s.designCount = r.designCount;
    s.application = r.applicationType;
    s.gageSystem = r.wireGageSystem;
    s.winding = r.windingMode;
    s.conditions = {r.maxCurrent,        r.minCurrent,          r.onVoltage,
                    r.offVoltage,        r.pfcPeakInputVoltage, r.pfcOutputVoltage,
                    r.acCurrentMax,      r.lineFrequencyHz,     r.resonantPeakCurrent,
                    r.frequencyKhz,      r.ambientTemp,         r.maxTempRise,
                    r.maxDcResistance,   r.tempRiseFactor,      r.tempRiseExponent,
                    r.resistivityFactor, r.leadLengthTotal,     r.alTolerancePercent};
    return s;
}

ResultsCheck checkResults(const DesignRecord& record) {
    ResultsCheck check;
    check.source = resultsCheckSource(record);
    const int count = std::clamp(record.designCount, 0, kMaxDesigns);
    check.designs.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        check.designs.push_back(checkDesign(record, row));
    return check;
}

const std::vector<CheckColumn>& checkColumns() {
    static const std::vector<CheckColumn> columns = {
        {"L", "uH", inductanceCell},
        {"L MIN", "uH", inductanceMinCell},
        {"L AT I MIN", "uH", inductanceAtMinCell},
        {"Rdc HOT", "OHMS", rdcHotCell},
        {"CHECK Cu", "Watts", copperLossCell},
        {"TOTAL", "Watts", totalLossCell},
        {"CHECK Rise", "deg C", riseCell},
        {"LIMIT", "", limitCell},
    };
    return columns;
}

std::string checkCellText(const DesignCheck& design, std::size_t column) {
    const auto& columns = checkColumns();
    if (column >= columns.size()) return {};
    if (!design.analyzed) return "-";
    return columns[column].cell(design);
}

}  // namespace korvell
