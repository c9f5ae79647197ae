// Any bytes read as a design file. Must hold: a refused file says why and leaves the record
// exactly as it was; an accepted file gives a record whose inputs are within the windows' limits,
// and whose own file reads back to the same file text.
#include "FuzzSupport.h"
#include "files/DesignFile.h"

using namespace korvell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DesignRecord r;
    r.requirementsByApplication[kDcBiased][0] = 0.1f;  // something a refusal must keep
    const std::string before = fuzz::fingerprint(r);
    const auto refusal = readDesignFile(text, r);
    if (refusal) {
        FUZZ_CHECK(!refusal->empty(), text.substr(0, 200));
        FUZZ_CHECK(fuzz::fingerprint(r) == before, *refusal);
        return 0;
    }
    for (const auto& row : r.requirementsByApplication) {
        for (const float v : row)
            FUZZ_CHECK(fuzz::finite(v) && v >= 0, text.substr(0, 200));
    }
    for (const auto& row : r.designParamsByApplication) {
        for (int k = 0; k < kDesignParamLimitCount; ++k) {
            FUZZ_CHECK(row[k] >= kDesignParamLimits[k].min && row[k] <= kDesignParamLimits[k].max,
                       text.substr(0, 200));
        }
        FUZZ_CHECK(row[9] >= 1 && row[10] >= 1, text.substr(0, 200));
    }
    FUZZ_CHECK(r.designCount >= 0 && r.designCount <= kMaxDesigns, text.substr(0, 200));
    const std::string written = designFileText(r);
    DesignRecord again;
    FUZZ_CHECK(!readDesignFile(written, again), written.substr(0, 200));
    FUZZ_CHECK(designFileText(again) == written, written.substr(0, 200));
    return 0;
}
