// A whole design search from fuzzed requirements: the requirements window's checks, then, when
// they accept, the search on a fuzzed shape, winding and material selection. Must hold: at most
// forty designs, each with at least one turn and one strand, a gage the analysis accepts, every
// figure finite and none negative where physics forbids it; the end marker follows fewer than
// forty designs; and a stored design is analysable again from its results row, with the same
// DC resistance, and its second opinion is no lower than the program's own figures.
#include "FuzzSupport.h"
#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "analysis/SecondOpinion.h"
#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "files/DesignFile.h"
#include "materials/WireTable.h"

using namespace korvell;

namespace {

void checkDesign(const DesignRecord& r, int i, const std::string& context) {
    const DesignResult& d = r.designResults[i];
    const std::string where = context + " design " + std::to_string(i) + " " + d.partNumber;
    FUZZ_CHECK(d.turns >= 1 && d.strands >= 1, where);
    FUZZ_CHECK(wireGageInRange(r.designWires[i].gage), where);
    for (float v : {d.price, d.al, d.fillPercent, d.rdc, d.rac, d.bac, d.percentPerm, d.coreLossW,
                    d.copperLossW, d.tempRise, d.build, d.woundOd, d.woundId, d.woundHeight,
                    d.bobbinDim, d.surfaceArea, d.coreVolume}) {
        FUZZ_CHECK(fuzz::finite(v) && v >= 0, where);
    }
    // Under DC bias the permeability only falls; a powerline choke's rises with AC flux.
    if (r.applicationType != kPowerline) FUZZ_CHECK(d.percentPerm <= 100, where);
    for (const auto& slot : r.designDimensions[i].slot) {
        if (slot) FUZZ_CHECK(fuzz::finite(*slot) && *slot >= 0, where);
    }
}

// The analysis window loaded from the row, accepted as it stands, and analyzed.
void checkAnalysable(const DesignRecord& searched, int i, const std::string& context) {
    DesignRecord r = searched;
    r.selectedDesign = i;
    AnalysisTexts texts;
    loadAnalysisInputs(r, texts);
    RecordingMessages messages;
    const std::string where =
        context + " row " + std::to_string(i) + " " + fuzz::joined({texts.begin(), texts.end()});
    FUZZ_CHECK(acceptAnalysisInputs(r, messages, texts),
               where + " " + (messages.empty() ? "" : messages.last().text));
    AnalysisTable table;
    FUZZ_CHECK(AnalyzeDesign(r, messages, table, r.applicationType) == 1, where);
    for (const auto& row : table.rows)
        FUZZ_CHECK(fuzz::finite(row.value) && row.value >= 0, where + " " + row.label);
    // The same winding, at the ambient temperature as the window shows it ("%6.1f").
    const double copperFactor = (r.ambientTemp + 234.4) / (searched.ambientTemp + 234.4);
    const double rdc = searched.designResults[i].rdc * copperFactor;
    FUZZ_CHECK(std::fabs(r.dcResistance - rdc) <= 1e-4 * rdc + 1e-30,
               where + " rdc " + std::to_string(r.dcResistance) + " vs " + std::to_string(rdc));

    const SecondOpinion o = secondOpinion(r, r.applicationType);
    for (double v : {o.rdcHotOhm, o.copperLossW, o.rippleCopperLossW, o.dcCopperLossW, o.tempRiseC,
                     o.porosity, o.acFactorFundamental})
        FUZZ_CHECK(v >= 0, where + " second opinion");  // NaN fails too
    FUZZ_CHECK(o.windingTempC >= o.ambientC, where + " second opinion winding temperature");
    FUZZ_CHECK(o.layers >= 1 && o.acFactorFundamental >= 1, where + " second opinion");
    FUZZ_CHECK(o.copperLossW >= o.programCopperLossW * (1 - 1e-6), where + " second opinion Cu");
    if (o.converged) {
        FUZZ_CHECK(o.tempRiseC >= o.programTempRiseC - 1e-3 && o.tempRiseC <= kRunawayRiseC,
                   where + " second opinion rise");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    DesignRecord r;
    r.applicationType = static_cast<std::int8_t>(input.pick(kApplicationCount));
    r.coreShape = static_cast<std::int8_t>(input.pick(3));
    r.windingMode = static_cast<std::int8_t>(input.pick(2));
    r.wireGageSystem = static_cast<std::int8_t>(input.pick(3));
    const int deselect = input.pick(16);
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        if (deselect & (1 << (k % 4)) && k % 3 == deselect % 3) r.selectedMaterials[k].clear();
    }
    applyApplicationSelections(r);
    const auto fields = input.texts(kRequirementFieldCount);
    RequirementTexts texts;
    std::copy(fields.begin(), fields.end(), texts.begin());
    const std::string context = "search app " + std::to_string(r.applicationType) + " shape " +
                                std::to_string(r.coreShape) + " " + fuzz::joined(fields);

    SilentMessages messages;
    if (!acceptRequirements(r, messages, texts)) return 0;
    run_design_search(r, messages);

    FUZZ_CHECK(r.designCount >= 0 && r.designCount <= kMaxDesigns, context);
    if (r.designCount < kMaxDesigns) {
        FUZZ_CHECK(r.designResults[r.designCount].partNumber == kEndOfCatalogMarker, context);
    }
    for (int i = 0; i < r.designCount; ++i)
        checkDesign(r, i, context);
    DesignRecord again;
    const auto unreadable = readDesignFile(designFileText(r), again);
    FUZZ_CHECK(!unreadable, context + " " + unreadable.value_or(""));
    if (r.designCount > 0) {
        checkAnalysable(r, 0, context);
        checkAnalysable(r, r.designCount - 1, context);
    }
    return 0;
}
