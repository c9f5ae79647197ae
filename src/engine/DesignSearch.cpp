#include "engine/DesignSearch.h"

#include "engine/Screening.h"
#include "engine/Winding.h"
#include "materials/CoreLoss.h"
#include "platform/Format.h"
#include "record/StoredNumbers.h"

namespace korvell {

void store_design(DesignRecord& record, int mode, int row) {
    DesignRecord& r = record;
    if (mode == kClearResults) {
        // Texts and the electrical figures are cleared; the wound sizes, wires and dimensions
        // stay until the rows are written again.
        for (auto& result : r.designResults) {
            result.partNumber.clear();
            result.wire.clear();
            result.strands = result.turns = 0;
            result.price = result.al = result.fillPercent = result.rdc = result.rac = 0;
            result.bac = result.percentPerm = result.coreLossW = result.copperLossW = 0;
            result.tempRise = 0;
        }
        return;
    }
    if (mode != kStoreCandidate || row < 0 || row >= kMaxDesigns) return;
    store_design_row(r, r.designResults[row], r.designWires[row], r.designDimensions[row]);
}

void store_design_row(const DesignRecord& record, DesignResult& out, DesignWire& wire,
                      DesignDimensions& dims, const float* knownPrice) {
    const DesignRecord& r = record;
    out.partNumber = r.corePartNumber;
    if (r.corePartNumber.find("END") != std::string::npos) return;

    out.wire = wireSizeText(r.wireGageSystem, r.wireGage);
    out.price = knownPrice ? *knownPrice
                           : static_cast<float>(corePrice(
                                 r.coreShape, materialCodeOf(r.corePartNumber), r.coreVolume));
    out.al = r.coreAl;
    out.strands = r.wireStrands;
    out.turns = toCount(r.turns);
    if (r.coreWindowKcmil > 0) {
        out.fillPercent =
            toStoredFloat(0.1 * r.wireArea * r.turns * r.wireStrands / r.coreWindowKcmil);
    }
    out.percentPerm = r.percentPerm;
    out.rdc = r.dcResistance;
    out.rac = r.acResistance;
    out.coreLossW = static_cast<float>(r.coreLossMw * 0.001);
    out.copperLossW = static_cast<float>(r.copperLossMw * 0.001);
    out.tempRise = r.tempRise;
    // The boost inductor's flux swing is shown as its average over the line cycle.
    out.bac = r.applicationType == kPowerFactorBoost ? 0.5f * r.fluxAc : r.fluxAc;
    out.build = r.windingBuild;
    out.woundOd = r.woundOd;
    out.woundId = r.woundId;
    out.woundHeight = r.woundHeight;
    out.surfaceArea = r.surfaceArea;
    out.coreVolume = r.coreVolume;
    out.inductanceUh = r.inductanceUh;
    out.inductanceAtMinCurrentUh = r.inductanceAtMinCurrentUh;
    out.inductanceMinUh = r.inductanceMinUh;

    wire = {r.wireSystemLabel, r.wireArea, r.wireBareDia,     r.wireDia,          r.wireMaxDia,
            r.wireBuild,       r.wireGage, r.wireOhmsPerFoot, r.wireWeightPerFoot};

    dims = DesignDimensions{};
    if (r.coreShape != kECore) {
        dims.slot[0] = r.coreAe;
        dims.slot[1] = r.coreLe;
        dims.slot[2] = r.coreOd;
        dims.slot[3] = r.coreId;
        dims.slot[4] = r.coreHt;
    } else if (r.Esize) {
        dims.slot[0] = r.Esize->ae;
        dims.slot[1] = r.Esize->le;
        dims.slot[5] = r.Esize->a;
        dims.slot[6] = r.Esize->b;
        dims.slot[7] = r.Esize->c;
        if (r.bobbinRecord) {
            out.bobbinDim = r.bobbinRecord->b[3];
            out.woundHeight = 2 * r.windingBuild + r.bobbinRecord->b[9];
        }
    }
}

bool walk_catalog(DesignRecord& record, Messages& messages, CandidateWinder& winder,
                  const RefusalReport* refusals) {
    DesignRecord& r = record;
    int restart = 1;
    int wireResult = 0;
    while (!winder.full()) {
        const int status =
            next_core(r, messages, restart, r.minPercentPerm, r.applicationType, refusals);
        restart = 0;
        if (status > 0) wireResult = winder.wind(r, messages);
        if (status < 3 && wireResult < 0 && r.inductanceRequired > 0.1f) {
            messages.show(
                strprintf("L Reqt: %8.0f, CORE: %s wireOK:%4d, %4.0f turns wire #%5.2f",
                          r.inductanceRequired * 1000.0, r.corePartNumber.c_str(), wireResult,
                          static_cast<double>(r.turns), static_cast<double>(r.wireGage)),
                "WIRE SELECTION FAILED");
        }
        if (status < 0) {
            messages.show(
                "Energy Product Requirement exceeds capacity of largest core in catalog. Consider "
                "stacking two or more cores",
                "  ...END OF CATALOG REACHED ...");
            return true;
        }
        if (status < 1) return true;
    }
    return false;
}

namespace {

// The ordinary search: each candidate wound with the strands and winding asked for, stored as the
// next results row, until forty are stored.
class ResultsRowWinder : public CandidateWinder {
  public:
    explicit ResultsRowWinder(std::int32_t strandsAsked) : m_strandsAsked(strandsAsked) {}

    int wind(DesignRecord& r, Messages& messages) override {
        // The resonant winding replaces the strand count of a candidate with the count it
        // computes; every candidate starts again from the strands asked for.
        r.wireStrands = m_strandsAsked;
        const int result = select_wire(r, messages, r.turns, r.windingMode, r.coreShape);
        if (result > 0) {
            r.lastStoredWireGage = r.wireGage;
            store_design(r, kStoreCandidate, r.designCount);
            ++r.designCount;
        }
        m_full = r.designCount >= kMaxDesigns;
        return result;
    }
    bool full() const override { return m_full; }

  private:
    std::int32_t m_strandsAsked;
    bool m_full = false;
};

}  // namespace

int run_design_search(DesignRecord& record, Messages& messages) {
    DesignRecord& r = record;
    r.designCount = 0;
    store_design(r, kClearResults, 0);
    const std::int32_t strandsAsked = r.wireStrands;
    bool ended = true;
    if (!shapeServesApplication(r.coreShape, r.applicationType)) {
        // Said plainly, rather than walking a catalog of which no core can pass.
        messages.show(
            strprintf("NO %s CORE SUITS THE %s", std::string(kShapeNames[r.coreShape]).c_str(),
                      std::string(kApplicationNames[r.applicationType]).c_str()),
            "NOTICE: ");
    } else if (noSelectedMaterialServes(r)) {
        // Without a material no core passes; the energy message would blame the core sizes.
        messages.show("NO CORE MATERIAL IS SELECTED: CHOOSE ONE OR MORE WITH CORE MATERIAL",
                      "NOTICE: ");
    } else {
        ResultsRowWinder winder(strandsAsked);
        ended = walk_catalog(r, messages, winder);
    }
    // The record keeps the strands asked for.
    r.wireStrands = strandsAsked;
    if (!ended) return 0;  // forty designs: no message, no end marker

    if (r.designCount > 0) {
        messages.show(strprintf("%3d CORES MEETING REQUIREMENTS HAVE BEEN FOUND", r.designCount),
                      "  ...END OF CATALOG REACHED...");
    }
    r.corePartNumber = kEndOfCatalogMarker;
    store_design(r, kStoreCandidate, r.designCount);
    return 0;
}

}  // namespace korvell
