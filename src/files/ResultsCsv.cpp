#include "files/ResultsCsv.h"

#include <algorithm>

#include "platform/Format.h"
#include "record/ResultCells.h"

namespace korvell {
namespace {

void csvCell(std::string& out, bool first, const std::string& text) {
    if (!first) out += ',';
    out += '"';
    for (const char c : trimmed(text)) {
        if (c == '"') out += '"';  // a quote inside a cell is doubled
        out += c;
    }
    out += '"';
}

// The swinging chokes are held to an inductance at their minimum current too.
bool swingApplication(const DesignRecord& r) {
    return r.applicationType == kControlledSwing || r.applicationType == kWideSwing;
}

}  // namespace

std::string resultsCsv(const DesignRecord& r, std::initializer_list<int> displays) {
    std::string out;
    bool first = true;
    for (const int display : displays) {
        const ResultHeadings headings = resultHeadings(r, display);
        for (int c = first ? 0 : 1; c < kResultColumns; ++c) {
            csvCell(out, first && c == 0, headings[0][c] + " " + headings[1][c]);
        }
        first = false;
    }
    const bool swing = swingApplication(r);
    csvCell(out, false, "INDUCTANCE UH");
    if (swing) csvCell(out, false, "INDUCTANCE AT MIN CURRENT UH");
    csvCell(out, false, "INDUCTANCE MIN UH");
    out += '\n';
    const int shown = std::clamp(r.designCount, 0, kMaxDesigns);
    for (int i = 0; i < shown; ++i) {
        first = true;
        for (const int display : displays) {
            for (int c = first ? 0 : 1; c < kResultColumns; ++c) {
                csvCell(out, first && c == 0, resultCellText(r, display, i, c));
            }
            first = false;
        }
        const DesignResult& d = r.designResults[i];
        csvCell(out, false, shortestFloatText(d.inductanceUh));
        if (swing) csvCell(out, false, shortestFloatText(d.inductanceAtMinCurrentUh));
        csvCell(out, false, shortestFloatText(d.inductanceMinUh));
        out += '\n';
    }
    return out;
}

}  // namespace korvell
