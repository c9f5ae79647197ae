#include "graphs/GraphRequest.h"

#include <algorithm>

#include "materials/Materials.h"
#include "platform/Format.h"

namespace korvell {
const DesignResult& highlightedDesign(const DesignRecord& record) {
    return record.designResults[std::clamp(record.selectedDesign, 0, kMaxDesigns - 1)];
}

void requestMaterialGraph(DesignRecord& record, int kind) {
    record.graphKind = static_cast<std::int8_t>(kind);
    record.graphMaterialCode.clear();
}

bool requestDesignGraph(DesignRecord& record, int kind) {
    const DesignResult& row = highlightedDesign(record);
    if (row.turns < 1) return false;
    record.graphKind = static_cast<std::int8_t>(kind);
    if (kind == kInductanceVsCurrent || kind == kInductanceSpread) {
        record.graphSource = kHighlightedDesign;
    }
    record.graphMaterialCode = materialCodeOf(row.partNumber);
    return true;
}

bool requestInductanceGraph(DesignRecord& record) {
    return requestDesignGraph(record, kInductanceVsCurrent);
}

AgingMenuOutcome requestAgingGraphFromMenu(DesignRecord& record, int kind) {
    const DesignResult& row = highlightedDesign(record);
    record.graphMaterialCode = materialCodeOf(row.partNumber);
    if (!(row.coreLossW > 0)) return AgingMenuOutcome::Nothing;
    // A row without a material code cannot be aged; real designs always carry one.
    if (record.graphMaterialCode.empty()) return AgingMenuOutcome::Nothing;
    if (materialIn(record.graphMaterialCode, kNegligibleAgingMaterial)) {
        return AgingMenuOutcome::NegligibleMaterial;
    }
    record.graphKind = static_cast<std::int8_t>(kind);
    record.graphSource = kHighlightedDesign;
    return AgingMenuOutcome::ShowGraph;
}

bool requestAnalyzedDesignGraph(DesignRecord& record, int kind) {
    const std::string code = materialCodeOf(record.corePartNumber);
    if (!(record.turns > 0) || code.find_first_of("0123456789") == std::string::npos) return false;
    record.graphMaterialCode = code;
    record.graphKind = static_cast<std::int8_t>(kind);
    if (kind == kInductanceVsCurrent || kind == kInductanceSpread) {
        record.graphSource = kAnalyzedDesign;
    }
    return true;
}

AgingMenuOutcome requestAnalyzedAgingGraph(DesignRecord& record) {
    if (record.corePartNumber.find('-') != std::string::npos)
        record.graphMaterialCode = materialCodeOf(record.corePartNumber);
    if (!(record.coreLossMw > 0)) return AgingMenuOutcome::Nothing;
    const std::string& code = record.graphMaterialCode;
    if (code.empty() || materialIn(code, kNegligibleAgingMaterial))
        return AgingMenuOutcome::NegligibleMaterial;
    record.graphKind = kTemperatureVsAge;
    record.graphSource = kAnalyzedDesign;
    return AgingMenuOutcome::ShowGraph;
}

std::string requestTemperatureRiseGraph(DesignRecord& record) {
    const DesignResult& row = highlightedDesign(record);
    std::string message;
    record.graphMaterialCode = materialCodeOf(row.partNumber);
    if (row.partNumber.find('-') == std::string::npos) {
        message = strprintf("Core Material Not Identified, P/N %s", row.partNumber.c_str());
    }
    if (materialIn(record.graphMaterialCode, kNegligibleAgingMaterial))
        message = kNegligibleAgingText;
    if (row.coreLossW < 0.001) {
        message = strprintf("Design Exhibits Negligable Core Loss, %7.2e",
                            static_cast<double>(row.coreLossW));
    }
    if (message.size() > 1) return message;
    record.graphKind = kTemperatureVsAge;
    record.graphSource = kHighlightedDesign;
    return {};
}

}  // namespace korvell
