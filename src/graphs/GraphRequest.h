// Graph requests: what the commands that open the graph window put into the design record
// (graphKind, graphSource, graphMaterialCode), and the checks that refuse a graph of a design
// that cannot be drawn.
#pragma once

#include <string>

#include "record/DesignRecord.h"

namespace korvell {

// Graph kinds of the graph window.
enum GraphKind : int {
    kInitialPermVsDcBias = 1,
    kPercentPermVsDcBias = 2,
    kPercentPermVsAcFlux = 3,
    kEffectivePermVsFrequency = 4,
    kCoreLoss1kHz = 5,
    kCoreLoss100kHz = 6,
    kInductanceVsCurrent = 7,
    kLossVsAge = 8,
    kTemperatureVsAge = 9,
    kInductanceSpread = 10,  // the Monte Carlo spread of one design's inductance
};

// Graph sources: the highlighted results row, or the analyzed design.
enum GraphSource : int { kHighlightedDesign = 0, kAnalyzedDesign = 1 };

// The highlighted results row (selectedDesign limited to the forty rows).
const DesignResult& highlightedDesign(const DesignRecord& record);

// A material-property graph (kinds 1-6) of every selected material.
void requestMaterialGraph(DesignRecord& record, int kind);

// A graph of the highlighted design (kinds 2, 3 and 7 from the main window, 10 from the results
// window): false, record unchanged, when the row has no turns (as for an empty results list);
// otherwise graphKind, the material code of the row and, for kinds 7 and 10, graphSource 0.
bool requestDesignGraph(DesignRecord& record, int kind);

// The results window's INDUCTANCE: graph 7 of the highlighted row when its turns are above 0.
bool requestInductanceGraph(DesignRecord& record);

// What an aging graph command of the main window (TEMPERATURE vs AGE for kind 9, LOSS vs AGE
// for kind 8) does with the highlighted design.
enum class AgingMenuOutcome {
    ShowGraph,           // the record holds the request
    NegligibleMaterial,  // a -37 or -39 core: the negligible-aging box, no graph
    Nothing,             // no core loss (an empty results list): nothing at all
};
AgingMenuOutcome requestAgingGraphFromMenu(DesignRecord& record, int kind);

// The analysis window's DC PERM, AC PERM, INDUCTANCE and the YIELD page's SPREAD (kinds 2, 3, 7
// and 10) for the analyzed design: false, request unchanged, unless its turns are above 0 and its
// part number has a dash followed by a material code; otherwise graphKind, the material code
// and, for kinds 7 and 10, graphSource 1.
bool requestAnalyzedDesignGraph(DesignRecord& record, int kind);

// The analysis window's T RISE: the material code is read when the part number has a dash; with
// core loss (coreLossMw) and a code of an aging material, graph 9 of the
// analyzed design; with core loss otherwise, the negligible-aging box; without, nothing.
AgingMenuOutcome requestAnalyzedAgingGraph(DesignRecord& record);

// The negligible-aging text: the caption of the main window's box (its text is empty) and the
// message of the results window's refusal.
inline constexpr const char* kNegligibleAgingText =
    " -37 and -39 MATERIALS EXHIBIT NEGLIGABLE AGING";

// The results window's T RISE: the text of the refusal (the last applicable of: no material code,
// a -37 or -39 core, core loss below 1 mW) or empty, in which case the record holds the request
// for graph 9 of the highlighted row. graphMaterialCode is read in every case.
std::string requestTemperatureRiseGraph(DesignRecord& record);
inline constexpr const char* kAgingRefusalCaption = " DATA ERROR.  UNABLE TO DISPLAY AGING";

}  // namespace korvell
