// Design files (*.korvell.json): the engineer's inputs kept between sessions and passed between
// the desktop program and scripts. A file holds the application type, the requirements and the
// design parameters of all six applications, the material selection, core shape, winding type,
// stacked cores, strands, unit and gage systems, and, for review, the results of the last search
// with the requirements and parameters it was made for.
//
// The format is versioned JSON (see README, "Design files"). Every value read is checked against
// the limits and character rules the windows apply; a file goes into the record only when all of
// it is valid, so a damaged file never changes anything. Numbers are written as the shortest
// decimal that reads back as the same single-precision value, so a file round-trips exactly.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileAccess.h"
#include "record/DesignRecord.h"

namespace korvell {

// Version 2 adds the design choices (riseLimitBy, alTolerancePercent, designAt); a version 1
// file reads with their defaults.
inline constexpr int kDesignFileVersion = 2;
inline constexpr std::string_view kDesignFileFormat = "korvell-inductors-design";
inline constexpr std::string_view kDesignFileSuffix = ".korvell.json";
inline constexpr std::string_view kDesignFileCaption = "DESIGN FILE ERROR";

// The names the files (and the command line) give the selections, by index.
extern const std::array<std::string_view, kApplicationCount> kApplicationKeys;
extern const std::array<std::string_view, 3> kCoreShapeKeys;
extern const std::array<std::string_view, 2> kWindingKeys;
extern const std::array<std::string_view, 3> kUnitSystemKeys;
extern const std::array<std::string_view, 3> kGageSystemKeys;

// The file text of the record: its inputs, and its results when a search has run (the results
// list holds a design or the end marker).
std::string designFileText(const DesignRecord& record);

// Reads a file text. On success the record holds the file's inputs (everything else back at its
// start-up value) and, when the file has them, the results of its last search with their
// requirements and parameters; the result is empty. Otherwise the record is unchanged and the
// result says what is wrong: which field, which value.
std::optional<std::string> readDesignFile(std::string_view text, DesignRecord& record);

// Writes the record's file to `path` through a temporary file in the same folder, renamed into
// place, so that a failed write leaves any file already there as it was. Empty on success, else
// why the file could not be written.
std::optional<std::string> saveDesignFile(const std::string& path, const DesignRecord& record);

// Reads the file at `path` into the record as readDesignFile does; a file that cannot be read
// says so.
std::optional<std::string> openDesignFile(const std::string& path, DesignRecord& record);

// Whether the record's inputs (what a design file holds, apart from results) are those the
// program starts with.
bool inputsAtStartUpValues(const DesignRecord& record);

}  // namespace korvell
