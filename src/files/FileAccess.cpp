#include "files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace korvell {

namespace {

// Closes a descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::optional<std::string> readInputFile(const std::string& path, std::string& text) {
    // Non-blocking, so that opening a pipe nobody writes to returns at once; the type check
    // below refuses it before any read.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) return "THE FILE " + path + " CANNOT BE OPENED";
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) return "THE FILE " + path + " CANNOT BE READ";
    if (S_ISDIR(status.st_mode)) return "THE FILE " + path + " CANNOT BE READ: IT IS A FOLDER";
    if (!S_ISREG(status.st_mode)) {
        return "THE FILE " + path + " CANNOT BE READ: IT IS NOT A REGULAR FILE";
    }
    const std::string tooLarge = "THE FILE " + path + " CANNOT BE READ: IT IS LARGER THAN 16 MIB";
    if (static_cast<unsigned long long>(status.st_size) > kMaxInputFileBytes) return tooLarge;

    // Read to the end rather than trusting the size: the file may grow while it is read, and
    // the bound holds whatever happens.
    std::string read;
    read.reserve(static_cast<std::size_t>(status.st_size));
    std::vector<char> block(65536);
    for (;;) {
        const ssize_t n = ::read(file.fd, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return "THE FILE " + path + " CANNOT BE READ";
        if (n == 0) break;
        if (read.size() + static_cast<std::size_t>(n) > kMaxInputFileBytes) return tooLarge;
        read.append(block.data(), static_cast<std::size_t>(n));
    }
    text = std::move(read);
    return std::nullopt;
}

bool jsonDepthWithin(std::string_view text, int maxDepth) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        switch (c) {
            case '"': inString = true; break;
            case '[':
            case '{':
                if (++depth > maxDepth) return false;
                break;
            case ']':
            case '}':
                if (depth > 0) --depth;
                break;
            default: break;
        }
    }
    return true;
}

std::optional<std::string> writeFileAtomically(const std::string& target, std::string_view text) {
    namespace fs = std::filesystem;
    const fs::path path(target);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return "THE FILE " + target + " CANNOT BE WRITTEN: ITS FOLDER DOES NOT TAKE FILES";
    const std::string temporary(name.data());
    bool written = true;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            written = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (written && ::fsync(fd) != 0) written = false;
    if (::close(fd) != 0) written = false;
    if (written) {
        // The file keeps the permissions an ordinary new file gets.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temporary.c_str(), 0666 & ~mask);
    }
    std::error_code error;
    if (written) fs::rename(temporary, path, error);
    if (!written || error) {
        fs::remove(temporary, error);
        return "THE FILE " + target + " COULD NOT BE WRITTEN; ANY FILE OF THAT NAME IS AS IT WAS";
    }
    return std::nullopt;
}

}  // namespace korvell
