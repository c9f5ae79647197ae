#include "platform/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
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
            case '"':
                inString = true;
                break;
            case '[':
            case '{':
                if (++depth > maxDepth) return false;
                break;
            case ']':
            case '}':
                if (depth > 0) --depth;
                break;
            default:
                break;
        }
    }
    return true;
}

namespace {

// The program's temporary files: short, so that a name near the system's 255-character limit
// can still be saved, and recognisable, so that one left by a killed save can be cleared.
constexpr char kTemporaryPrefix[] = ".korvell-";
constexpr char kTemporaryPattern[] = ".korvell-XXXXXX";
// A temporary older than this was left by a save that never finished.
constexpr auto kStaleTemporaryAge = std::chrono::minutes(2);

// The file a name stands for: a symbolic link is followed (relative links from their own
// folder) to the file it names, so that saving writes there and the link stays a link.
std::filesystem::path followLinks(std::filesystem::path path) {
    namespace fs = std::filesystem;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

bool writeAll(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

void removeStaleTemporaries(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != sizeof(kTemporaryPattern) - 1 || name.rfind(kTemporaryPrefix, 0) != 0) {
            continue;
        }
        std::error_code ignored;
        if (!it->is_regular_file(ignored) || ignored) continue;
        const auto written = fs::last_write_time(it->path(), ignored);
        if (!ignored && now - written > kStaleTemporaryAge) fs::remove(it->path(), ignored);
    }
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::string& target, std::string_view text) {
    namespace fs = std::filesystem;
    const std::string notWritten = "THE FILE " + target + " COULD NOT BE WRITTEN";
    const std::string keptAsItWas = "; ANY FILE OF THAT NAME IS AS IT WAS";
    const fs::path path = followLinks(fs::path(target));
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");

    // What is there already decides what may be done: only a regular file is replaced, a
    // read-only one is not, and the new file keeps the old one's permissions.
    struct stat existing {};
    const bool exists = ::lstat(path.c_str(), &existing) == 0;
    mode_t mode = 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return notWritten + ": IT IS A FOLDER";
        if (!S_ISREG(existing.st_mode)) return notWritten + ": IT IS NOT A REGULAR FILE";
        const bool anyWriteBit = (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
        if (!anyWriteBit || ::access(path.c_str(), W_OK) != 0) {
            return notWritten + ": IT IS READ-ONLY";
        }
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    removeStaleTemporaries(folder);
    std::string pattern = (folder / kTemporaryPattern).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return "THE FILE " + target + " CANNOT BE WRITTEN: ITS FOLDER DOES NOT TAKE FILES";
    const std::string temporary(name.data());
    bool written = ::fchmod(fd, mode) == 0;
    if (exists) {
        // Kept where the saver may (root saving a user's file); otherwise the saver owns it.
        [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
    }
    written = writeAll(fd, text) && written;
    if (::close(fd) != 0) written = false;
    std::error_code error;
    if (!written) {
        fs::remove(temporary, error);
        return notWritten + keptAsItWas;
    }

    if (exists && existing.st_nlink > 1) {
        // A file with other names (hard links) is written in place so that every name sees
        // the new content; the complete temporary file, written first, proves the room.
        const Descriptor in{::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW)};
        const bool inPlace = in.fd >= 0 && writeAll(in.fd, text);
        if (!inPlace) {
            return notWritten + " WHOLE; THE NEW CONTENT IS IN " + temporary;
        }
        fs::remove(temporary, error);
        return std::nullopt;
    }
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return notWritten + keptAsItWas;
    }
    return std::nullopt;
}

}  // namespace korvell
