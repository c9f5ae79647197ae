#include "materials/Catalog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "materials/CatalogTables.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr const char* kCaption = "CATALOG LOOKUP ERROR";

// A part number resolved into its catalog line, or the error text shown instead.
struct CatalogEntry {
    std::string partNumber;
    std::string line;
    std::string errorText;
    const ECoreSize* eCore = nullptr;
};

// White space as the C scanners skip it.
bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* letterCode(char letter) {
    if (letter < 'a' || letter > 'z') return nullptr;
    for (const auto& row : materialLetterCodes)
        if (row.letter == letter) return row.code;
    return nullptr;
}

// Whether a table's name is exactly `name`; the first characters are compared first, as most
// rows differ there.
bool sameName(const std::string& name, const char* tableName) {
    return !name.empty() && tableName[0] == name[0] && name == tableName;
}

const ToroidSize* findToroidSize(const std::string& name) {
    for (const auto& row : toroidSizes)
        if (sameName(name, row.name)) return &row;
    return nullptr;
}

const ECoreSize* findECoreSize(const std::string& name) {
    for (const auto& row : eCoreSizes)
        if (sameName(name, row.name)) return &row;
    return nullptr;
}

// Dimensions of the line's fields 4 to 10: ae cm², le cm, window, MLT ft, d1..d3 in.
struct LineFigures {
    double ae, le, window, mlt, d1, d2, d3;
};

// Toroid and composite: window = 1000 id² (kcmil); MLT = (od - id + 2 ht + 0.35 pi id) / 12 ft.
LineFigures toroidFigures(const ToroidSize& s) {
    const double id = s.id, od = s.od, ht = s.ht;
    return {s.ae, s.le, 1000.0 * id * id, (od - id + 2.0 * ht + 1.0995565 * id) / 12.0, id, od, ht};
}

// Composite toroid: MLT = (od + 2 ht - 0.2146025 id) / 12 ft.
LineFigures compositeFigures(const CompositeCore& c) {
    const double id = c.id, od = c.od, ht = c.ht;
    return {c.ae, c.le, 1000.0 * id * id, (od + 2.0 * ht - 0.2146025 * id) / 12.0, id, od, ht};
}

// E-core: window = 155 Wa[cm²]; MLT = (2 (e + c) + pi/2 (f - e)) / 12 ft; fields 8, 9, 10 are
// b, a, c (height before width).
LineFigures eCoreFigures(const ECoreSize& s) {
    const double c = s.c, e = s.e, f = s.f;
    return {s.ae, s.le, 155.0 * s.wa, (2.0 * (e + c) + 1.570795 * (f - e)) / 12.0, s.b, s.a, c};
}

// Resolves a part number of `shape` with Al into its catalog line. A composite takes its
// dimensions from `composite`; toroids and E-cores are measured by their size key.
CatalogEntry resolve(const std::string& partNumber, float al, std::int8_t shape,
                     const CompositeCore* composite) {
    CatalogEntry entry;
    entry.partNumber = partNumber;
    const PartNumberTokens tokens = parsePartNumber(partNumber);
    if (tokens.count < 2) {
        entry.errorText = strprintf("<error> incomplete part number %s\n", partNumber.c_str());
        return entry;
    }
    std::string sizeToken = tokens.shapeAndSize;
    if (tokens.count == 3) sizeToken += tokens.suffix.front();
    const std::string sizeKey = sizeToken.substr(1);

    const auto mu = catalogMaterialPermeability(tokens.material);
    if (!mu) {
        entry.errorText = strprintf("<error> Korvcat unable to identify material %s in p/n %s\n",
                                    tokens.material.c_str(), partNumber.c_str());
        return entry;
    }

    LineFigures figures{};
    if (shape == kComposite && composite != nullptr) {
        figures = compositeFigures(*composite);
    } else if (const ToroidSize* t = shape == kToroid ? findToroidSize(sizeKey) : nullptr) {
        figures = toroidFigures(*t);
    } else if (const ECoreSize* e = shape == kECore ? findECoreSize(sizeKey) : nullptr) {
        figures = eCoreFigures(*e);
        entry.eCore = e;
    } else {
        entry.errorText = strprintf("<error> unable to identify part size %s coresize %s \n",
                                    partNumber.c_str(), sizeToken.c_str());
        return entry;
    }

    // Printed as the template "%%12s %%5.0f %%5.1f %%5.3f %%5.2f %%7.2f %%5.3f %%5.3f %%5.3f
    // %%5.3f %%8.3f" gives it; the last field is the reserved energy rating.
    std::string& line = entry.line;
    line.reserve(80);
    if (partNumber.size() < 12) line.append(12 - partNumber.size(), ' ');
    line += partNumber;
    const struct {
        double value;
        int width, precision;
    } fields[] = {{*mu, 5, 0},
                  {al, 5, 1},
                  {figures.ae, 5, 3},
                  {figures.le, 5, 2},
                  {figures.window, 7, 2},
                  {figures.mlt, 5, 3},
                  {figures.d1, 5, 3},
                  {figures.d2, 5, 3},
                  {figures.d3, 5, 3},
                  {0.0, 8, 3}};
    for (const auto& field : fields) {
        line += ' ';
        appendFixed(line, field.value, field.width, field.precision);
    }
    return entry;
}

std::vector<CatalogEntry> buildEntries(std::int8_t shape) {
    std::vector<CatalogEntry> entries;
    const int rows = catalogRowCount(shape);
    entries.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        if (shape == kToroid) {
            const auto& row = toroidCatalog[i];
            entries.push_back(
                resolve(expandCatalogKey(std::string("T") + row.key), row.al, shape, nullptr));
        } else if (shape == kECore) {
            const auto& row = eCoreCatalog[i];
            entries.push_back(
                resolve(expandCatalogKey(std::string("E") + row.key), row.al, shape, nullptr));
        } else {
            const auto& row = compositeCatalog[i];
            const std::string partNumber =
                std::string("ST") + row.name + (i % 2 == 0 ? "-411" : "-413B");
            entries.push_back(resolve(partNumber, row.al, shape, &row));
        }
    }
    return entries;
}

// Every row of a shape resolved once, on the shape's first use (thread-safe static
// initialisation), so that a run that designs on toroids never builds the E-core lines; a
// look-up then copies the row's line, and shows its message if it has one.
const std::vector<CatalogEntry>& catalogEntries(std::int8_t shape) {
    switch (shape) {
        case kECore: {
            static const std::vector<CatalogEntry> eCores = buildEntries(kECore);
            return eCores;
        }
        case kComposite: {
            static const std::vector<CatalogEntry> composites = buildEntries(kComposite);
            return composites;
        }
        default: {
            static const std::vector<CatalogEntry> toroids = buildEntries(kToroid);
            return toroids;
        }
    }
}

// Applies a resolved entry to the record; false when it carries an error.
bool apply(const CatalogEntry& entry, DesignRecord& record, Messages& messages, std::int8_t shape) {
    if (!entry.errorText.empty()) {
        messages.show(entry.errorText, kCaption);
        if (shape == kECore) record.Esize.reset();
        return false;
    }
    record.catalogLine = entry.line;
    if (shape == kECore) record.Esize = *entry.eCore;
    return true;
}

}  // namespace

int catalogRowCount(std::int8_t shape) {
    switch (shape) {
        case kToroid:
            return kToroidCatalogRows;
        case kECore:
            return kECoreCatalogRows;
        case kComposite:
            return kCompositeCatalogRows;
        default:
            return 0;
    }
}

PartNumberTokens parsePartNumber(std::string_view partNumber) {
    // The scan "%15[EST0-9] %15[-0-9] %15[ABCDH] " written out: each token is the longest run
    // (at most 15 characters) of its set, after optional blanks; a missing token ends the scan.
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < partNumber.size() && isBlank(partNumber[at]))
            ++at;
    };
    const auto run = [&](std::string_view set, std::string& token) {
        const std::size_t start = at;
        while (at < partNumber.size() && at - start < 15 &&
               set.find(partNumber[at]) != std::string_view::npos) {
            ++at;
        }
        token.assign(partNumber.substr(start, at - start));
        return !token.empty();
    };
    PartNumberTokens tokens;
    if (!run("EST0123456789", tokens.shapeAndSize)) return tokens;
    tokens.count = 1;
    skipBlanks();
    if (!run("-0123456789", tokens.material)) return tokens;
    tokens.count = 2;
    skipBlanks();
    if (!run("ABCDH", tokens.suffix)) return tokens;
    tokens.count = 3;
    return tokens;
}

namespace {

// The line read back as "%s %g %g %g %g %g %g %g %g %g %g": a part number and ten numbers of
// type T.
template <typename T>
bool readLineInto(std::string_view line, std::string& partNumber, std::array<T, 10>& values) {
    std::size_t at = 0;
    const auto nextWord = [&]() -> std::string_view {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at]))
            ++at;
        return line.substr(start, at - start);
    };
    const std::string_view part = nextWord();
    if (part.empty()) return false;
    partNumber.assign(part);
    for (T& value : values) {
        const std::string_view word = nextWord();
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (word.empty() || error != std::errc() || end != word.data() + word.size()) return false;
    }
    return true;
}

}  // namespace

std::optional<CatalogLineFields> readCatalogLine(std::string_view line) {
    CatalogLineFields fields;
    if (!readLineInto(line, fields.partNumber, fields.values)) return std::nullopt;
    return fields;
}

std::optional<CatalogLineNumbers> readCatalogLineNumbers(std::string_view line) {
    CatalogLineNumbers numbers;
    if (!readLineInto(line, numbers.partNumber, numbers.values)) return std::nullopt;
    return numbers;
}

std::optional<float> catalogMaterialPermeability(std::string_view code) {
    for (const auto& row : catalogMaterials)
        if (code == row.code) return row.permeability;
    return std::nullopt;
}

std::string expandCatalogKey(std::string_view compressed) {
    // No code holds a table letter (codes are dashes, digits, '/', 'Q' and upper-case suffix
    // letters), so replacing the letters left to right is one pass over the key.
    std::string text;
    text.reserve(compressed.size() + 16);
    for (const char ch : compressed) {
        if (const char* code = letterCode(ch)) {
            text += code;
        } else {
            text += ch;
        }
    }
    return text;
}

bool describeCatalogPart(DesignRecord& record, Messages& messages, std::string_view partNumber,
                         float al, std::int8_t shape) {
    if (shape != kToroid && shape != kECore) return false;
    return apply(resolve(std::string(partNumber), al, shape, nullptr), record, messages, shape);
}

std::int8_t partNumberShape(std::string_view partNumber) {
    if (partNumber.empty()) return kToroid;
    if (partNumber[0] == 'E') return kECore;
    if (partNumber[0] == 'S') return kComposite;
    return kToroid;
}

std::optional<int> findCatalogRow(std::string_view partNumber) {
    const std::string_view bare = partNumber.substr(0, partNumber.find(' '));
    const auto& entries = catalogEntries(partNumberShape(partNumber));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].errorText.empty() && entries[i].partNumber == bare)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string partNotFoundText(std::string_view partNumber) {
    // How many catalog lines were read is nothing the user can act on; the part number is.
    return strprintf("Core P/N %s NOT IN THE CATALOG", std::string(partNumber).c_str());
}

int catalogLookup(DesignRecord& record, Messages& messages, int index, std::int8_t shape) {
    const int rows = catalogRowCount(shape);
    if (rows == 0 || index < 0) return 0;
    if (index >= rows) return rows - index;
    apply(catalogEntries(shape)[index], record, messages, shape);
    return rows - index;
}

}  // namespace korvell
