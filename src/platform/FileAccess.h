// Reading and writing the files the program exchanges with the outside: design files, results
// exports, graphs. Whatever a file holds, reading it is bounded in size and never blocks on a
// special file, and writing it replaces the old file whole or leaves it as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvell {

// The largest file the program reads: a design file with a full results list is about 60 kB,
// so this leaves room for hand-written files while keeping a hostile one from filling memory.
inline constexpr std::size_t kMaxInputFileBytes = std::size_t{16} << 20;

// The deepest nesting of arrays and objects a JSON text may have: a design file needs 4 levels.
inline constexpr int kMaxJsonDepth = 64;

// Reads the regular file at `path` whole into `text`. Refuses, without reading it and without
// waiting, a folder, a device, a pipe or socket, and a file larger than kMaxInputFileBytes.
// Empty on success, else why the file was not read; `text` is then unchanged.
std::optional<std::string> readInputFile(const std::string& path, std::string& text);

// Whether the arrays and objects of a JSON text nest no deeper than `maxDepth`, counted in one
// pass over the text (brackets inside strings do not count), so that no parser meets a depth
// the input chose.
bool jsonDepthWithin(std::string_view text, int maxDepth);

// Writes any text to `path` through a temporary file in the same folder, renamed into place, so
// that a failed write leaves any file already there as it was. A symbolic link is written
// through to the file it names; a folder, a device, a pipe or a read-only file is refused; the
// new file keeps the old one's permissions; a file with other names (hard links) is rewritten in
// place once the complete temporary file has proved there is room. Temporaries a killed save
// left in the folder are cleared. Empty on success, else why the file could not be written.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view text);

}  // namespace korvell
