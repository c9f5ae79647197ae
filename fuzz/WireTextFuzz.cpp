// Wire sizes as typed in the analysis window, and the wire look-up by gage, copper area and
// diameter over any number. Must hold: a gage read from a text is a finite number; a look-up
// either selects a wire whose figures are finite and physical (bare diameter positive, nominal
// diameter the bare plus the build, the maximum at least the nominal, area the bare diameter
// squared, resistance and weight in proportion to the area) or leaves the current wire as it was;
// a wire the analysis accepts again has a gage within -3..50.
#include "FuzzSupport.h"
#include "materials/WireTable.h"

using namespace korvell;

namespace {

void checkWire(const DesignRecord& r, const std::string& context) {
    for (float v : {r.wireArea, r.wireBareDia, r.wireDia, r.wireMaxDia, r.wireBuild, r.wireGage,
                    r.wireOhmsPerFoot, r.wireWeightPerFoot}) {
        FUZZ_CHECK(fuzz::finite(v), context);
    }
    FUZZ_CHECK(r.wireBareDia > 0 && r.wireBuild >= 0, context);
    FUZZ_CHECK(r.wireDia >= r.wireBareDia && r.wireMaxDia >= r.wireDia, context);
    const double area = static_cast<double>(r.wireBareDia) * r.wireBareDia * 1e6;
    FUZZ_CHECK(std::fabs(r.wireArea - area) <= 1e-5 * area, context);
    FUZZ_CHECK(std::fabs(r.wireOhmsPerFoot * r.wireArea - 10.371) < 1e-3, context);
    FUZZ_CHECK(!r.wireSystemLabel.empty(), context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const auto system = static_cast<std::int8_t>(input.pick(4) - (size % 7 == 0 ? 1 : 0));
    const int kind = input.pick(4);
    const std::string text = input.rest();

    DesignRecord r;
    const std::string before = fuzz::fingerprint(r);
    const std::optional<float> gage = readWireGage(text, system);
    if (gage) FUZZ_CHECK(fuzz::finite(*gage), text);

    // The number the text names, or the raw bytes as a float: every value a caller might pass.
    float value = gage.value_or(0.0f);
    if (!gage && text.size() >= sizeof(float)) std::memcpy(&value, text.data(), sizeof value);
    const std::string context = text + " system " + std::to_string(system) + " kind " +
                                std::to_string(kind) + " value " + std::to_string(value);
    if (wireTableLookup(r, system, kind, value) == 1) {
        checkWire(r, context);
        if (kind == 0 && system == kSwg) FUZZ_CHECK(wireGageInRange(r.wireGage), context);
        if (kind == 2) FUZZ_CHECK(r.wireDia <= value, context);
    } else {
        FUZZ_CHECK(fuzz::fingerprint(r) == before, context);
    }
    return 0;
}
