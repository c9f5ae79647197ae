// The automatic design: walks the catalog smallest core first, screens each candidate, winds it,
// and stores every candidate that meets all limits, up to forty designs.
#pragma once

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Modes of store_design.
enum StoreMode : int {
    kStoreCandidate = 4,  // copy the candidate and its winding solution into a results row
    kClearResults = 100,  // clear all forty rows
};

// Runs one complete design search from the active requirements and parameters; fills the
// results list and designCount and shows the end-of-search messages. Always returns 0.
int run_design_search(DesignRecord& record, Messages& messages);

// Writes the results (mode 100 clears all rows, mode 4 stores the candidate into `row`); any
// other mode does nothing.
void store_design(DesignRecord& record, int mode, int row);

// The text that marks the row after the last design of a search.
constexpr const char* kEndOfCatalogMarker = "END OF CATALG";

}  // namespace korvell
