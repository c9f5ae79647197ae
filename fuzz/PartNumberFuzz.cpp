// Part-number parsing and catalog look-up over arbitrary texts. Must hold: the scan's tokens are
// runs of their own character sets of at most 15 characters; a text names a catalog core only
// when the catalog line of that row carries exactly the text before its first blank; the typed
// check upper-cases and refuses every character outside the part-number set; a stacked part
// splits into a part without blanks and its count; the look-up of a found row writes a line of a
// part number and ten finite numbers and changes nothing else it should not.
#include "FuzzSupport.h"
#include "analysis/AnalysisEntry.h"
#include "materials/Catalog.h"

using namespace korvell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string text = input.rest();

    const PartNumberTokens tokens = parsePartNumber(text);
    FUZZ_CHECK(tokens.count >= 0 && tokens.count <= 3, text);
    for (const auto& [token, set] :
         {std::pair{&tokens.shapeAndSize, "EST0123456789"},
          std::pair{&tokens.material, "-0123456789"}, std::pair{&tokens.suffix, "ABCDH"}}) {
        FUZZ_CHECK(token->size() <= 15, text);
        FUZZ_CHECK(token->find_first_not_of(set) == std::string::npos, text);
    }
    FUZZ_CHECK((tokens.count >= 1) == !tokens.shapeAndSize.empty(), text);

    const TypedPartNumber typed = checkTypedPartNumber(text);
    FUZZ_CHECK(typed.text.size() == text.size(), text);
    const bool clean = typed.text.find_first_not_of("ABCDEGHQST0123456789-/") == std::string::npos;
    FUZZ_CHECK(clean == !typed.error.has_value(), text);

    const StackedPartNumber stacked = splitStackedPartNumber(text);
    FUZZ_CHECK(stacked.partNumber.find(' ') == std::string::npos, text);
    FUZZ_CHECK(text.rfind(stacked.partNumber, 0) == 0, text);

    const std::string expanded = expandCatalogKey(text);
    FUZZ_CHECK(expanded.size() >= text.size(), text);

    const auto row = findCatalogRow(text);
    if (row) {
        const std::int8_t shape = partNumberShape(text);
        FUZZ_CHECK(*row >= 0 && *row < catalogRowCount(shape), text);
        DesignRecord record;
        SilentMessages messages;
        FUZZ_CHECK(catalogLookup(record, messages, *row, shape) == catalogRowCount(shape) - *row,
                   text);
        const auto fields = readCatalogLine(record.catalogLine);
        FUZZ_CHECK(fields.has_value(), record.catalogLine);
        FUZZ_CHECK(fields->partNumber == text.substr(0, text.find(' ')), text);
        for (float v : fields->values)
            FUZZ_CHECK(fuzz::finite(v) && v >= 0, record.catalogLine);
        FUZZ_CHECK(typed.text == text || text.find(' ') != std::string::npos, text);
    } else if (!text.empty()) {
        // A core the catalog does not hold is refused with the catalog's own count of lines.
        const std::string message = partNotFoundText(text);
        FUZZ_CHECK(message.rfind("Core P/N ", 0) == 0, message);
    }

    // Catalog lines are the program's own, but reading any text must stay defined.
    if (const auto line = readCatalogLine(text)) {
        FUZZ_CHECK(!line->partNumber.empty(), text);
    }
    return 0;
}
