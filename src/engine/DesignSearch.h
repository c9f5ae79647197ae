// The automatic design: walks the catalog smallest core first, screens each candidate, winds it,
// and stores every candidate that meets all limits, up to forty designs.
#pragma once

#include "engine/Screening.h"
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

// What the catalog walk of a search does with each candidate core the screening accepts: the
// design search winds it once and stores it; the design-space sweep winds it for every strand
// count and winding mode, sharing the screening between them.
class CandidateWinder {
  public:
    virtual ~CandidateWinder() = default;
    // Winds the screened candidate held in the record; returns the select_wire result code that
    // the walk reports when it is a refusal.
    virtual int wind(DesignRecord& record, Messages& messages) = 0;
    // True once the walk should stop before the end of the catalog.
    virtual bool full() const { return false; }
};

// The catalog walk of a design search over the record's shape: next_core from the first row,
// every accepted candidate handed to `winder`, with the search's messages on a refused winding
// and on an energy requirement beyond the catalog. `refusals`, if given, hears every core the
// screening refuses. Returns true when the walk reached the end of the catalog, false when the
// winder was full first.
bool walk_catalog(DesignRecord& record, Messages& messages, CandidateWinder& winder,
                  const RefusalReport* refusals = nullptr);

// Writes the results (mode 100 clears all rows, mode 4 stores the candidate into `row`); any
// other mode does nothing.
void store_design(DesignRecord& record, int mode, int row);

// The results row of the candidate and its winding solution, written into `out`, `wire` and
// `dimensions` as store_design writes row k (the bobbin dimension only for an E-core).
// `corePrice`, if given, is the price of the candidate core as an earlier row of the same core
// stored it (every winding of one core costs the same), so it is not worked out again.
void store_design_row(const DesignRecord& record, DesignResult& out, DesignWire& wire,
                      DesignDimensions& dimensions, const float* corePrice = nullptr);

// The text that marks the row after the last design of a search.
constexpr const char* kEndOfCatalogMarker = "END OF CATALG";

}  // namespace korvell
