// The results list as comma-separated values, for the FILES menu's export and the command line.
#pragma once

#include <initializer_list>
#include <string>

#include "record/DesignRecord.h"

namespace korvell {

// The designs as comma-separated values: a heading line (both heading lines of a column joined),
// then one line per design, each cell trimmed and quoted. The columns of each display given, in
// turn; the part number only once; then the inductance each design reaches (µH), a swinging
// choke's at its minimum current, and the inductance at the low end of the Al tolerance.
std::string resultsCsv(const DesignRecord& record, std::initializer_list<int> displays);

}  // namespace korvell
