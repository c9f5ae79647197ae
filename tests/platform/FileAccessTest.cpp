#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/DesignFile.h"
#include "platform/FileAccess.h"
#include "support/HostileFiles.h"

namespace korvell {
namespace {

TEST(FileAccess, HostileFilesAreRefusedWithoutReadingThemAndTheRecordStays) {
    const test::HostileFiles hostile;
    DesignRecord record;
    record.requirementsByApplication[kDcBiased][0] = 0.1f;
    const DesignRecord before = record;
    for (const auto& file : hostile.files()) {
        const auto refusal = openDesignFile(file.path, record);
        ASSERT_TRUE(refusal.has_value()) << file.path;
        EXPECT_NE(refusal->find(file.refusal), std::string::npos) << *refusal;
        EXPECT_TRUE(record == before) << file.path;
    }
}

TEST(FileAccess, NestingIsCountedOutsideStringsOnly) {
    const std::string deepest = std::string(64, '[') + std::string(64, ']');
    struct Case {
        std::string text;
        bool within;
    };
    const Case cases[] = {
        {deepest, true},
        {"[" + deepest + "]", false},
        {std::string(65, '{'), false},                      // unclosed still counts
        {"[\"" + std::string(100, '[') + "\"]", true},      // brackets inside a string
        {"[\"\\\"" + std::string(100, '[') + "\"]", true},  // after an escaped quote
        {"[\"\\\\\"" + std::string(65, '[') + "]", false},  // an escaped backslash ends nothing
        {std::string(100, ']') + deepest, true},            // stray closers never go below zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonDepthWithin(c.text, kMaxJsonDepth), c.within) << c.text.substr(0, 80);
    }
}

}  // namespace
}  // namespace korvell

namespace korvell {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct SaveFolder {
    fs::path path =
        fs::temp_directory_path() / ("korvell-save-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    SaveFolder() { fs::create_directories(path); }
    ~SaveFolder() { fs::remove_all(path); }
    fs::path file(const std::string& name, const std::string& content) const {
        std::ofstream(path / name) << content;
        return path / name;
    }
};

TEST(FileAccess, SavingKeepsLinksPermissionsAndSpecialFiles) {
    const SaveFolder folder;
    const fs::path real = folder.file("real.json", "old");
    fs::create_symlink("real.json", folder.path / "link.json");
    ASSERT_EQ(writeFileAtomically((folder.path / "link.json").string(), "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.json"));
    EXPECT_EQ(contentOf(real), "new");

    const fs::path secret = folder.file("secret.json", "old");
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(writeFileAtomically(secret.string(), "new"), std::nullopt);
    EXPECT_EQ(fs::status(secret).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    const fs::path twin = folder.path / "twin.json";
    fs::create_hard_link(real, twin);
    ASSERT_EQ(writeFileAtomically(twin.string(), "both"), std::nullopt);
    EXPECT_EQ(contentOf(real), "both");

    const fs::path readOnly = folder.file("read-only.json", "old");
    fs::permissions(readOnly, fs::perms::owner_read);
    const fs::path pipe = folder.path / "pipe.json";
    ::mkfifo(pipe.c_str(), 0600);
    const std::pair<fs::path, const char*> refused[] = {
        {readOnly, "IT IS READ-ONLY"},
        {pipe, "IT IS NOT A REGULAR FILE"},
        {"/dev/null", "IT IS NOT A REGULAR FILE"},
        {folder.path, "IT IS A FOLDER"},
    };
    for (const auto& [path, why] : refused) {
        const auto refusal = writeFileAtomically(path.string(), "new");
        ASSERT_TRUE(refusal.has_value()) << path;
        EXPECT_NE(refusal->find(why), std::string::npos) << *refusal;
    }
    EXPECT_EQ(contentOf(readOnly), "old");
    EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST(FileAccess, TemporariesAreShortAndThoseOfKilledSavesAreCleared) {
    const SaveFolder folder;
    const fs::path stale = folder.file(".korvell-Ab12Cd", "left by a killed save");
    fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const fs::path busy = folder.file(".korvell-Ef34Gh", "another save, still writing");
    const fs::path othersOwn = folder.file(".korvell-notes", "not a temporary of ours");
    fs::last_write_time(othersOwn, fs::file_time_type::clock::now() - std::chrono::hours(1));

    const std::string longName = std::string(240, 'n') + ".korvell.json";  // 253 characters
    ASSERT_EQ(writeFileAtomically((folder.path / longName).string(), "text"), std::nullopt);
    EXPECT_EQ(contentOf(folder.path / longName), "text");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(busy));
    EXPECT_TRUE(fs::exists(othersOwn));
}

}  // namespace
}  // namespace korvell
