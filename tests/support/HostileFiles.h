// Files no design file reader may trust, made in a temporary folder of their own: deep nesting,
// a file too large to read, a pipe nobody writes to, a folder, and a device without end. Each
// comes with a part of the refusal it must get.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace korvell::test {

struct HostileFile {
    std::string path;
    std::string refusal;  // a part of the message the reader must give
};

class HostileFiles {
  public:
    HostileFiles() {
        namespace fs = std::filesystem;
        folder_ =
            fs::temp_directory_path() / ("korvell-hostile-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(folder_);
        const auto add = [&](const char* name, const char* refusal) -> std::string {
            const std::string path = (folder_ / name).string();
            files_.push_back({path, refusal});
            return path;
        };
        std::ofstream(add("deep.korvell.json", "NESTS DEEPER THAN 64 LEVELS"))
            << std::string(100000, '[') << std::string(100000, ']');
        // Sparse: 17 MiB of blanks as far as the size is concerned, no disk used.
        const std::string huge = add("huge.korvell.json", "LARGER THAN 16 MIB");
        std::ofstream(huge) << ' ';
        fs::resize_file(huge, std::size_t{17} << 20);
        ::mkfifo(add("pipe.korvell.json", "NOT A REGULAR FILE").c_str(), 0600);
        fs::create_directory(add("folder.korvell.json", "IS A FOLDER"));
        files_.push_back({"/dev/zero", "NOT A REGULAR FILE"});
    }
    ~HostileFiles() { std::filesystem::remove_all(folder_); }
    HostileFiles(const HostileFiles&) = delete;
    HostileFiles& operator=(const HostileFiles&) = delete;

    const std::vector<HostileFile>& files() const { return files_; }

  private:
    std::filesystem::path folder_;
    std::vector<HostileFile> files_;
};

}  // namespace korvell::test
