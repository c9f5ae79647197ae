#include "files/FileAccess.h"

#include <gtest/gtest.h>

#include <string>

#include "files/DesignFile.h"
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
        {std::string(65, '{'), false},                        // unclosed still counts
        {"[\"" + std::string(100, '[') + "\"]", true},       // brackets inside a string
        {"[\"\\\"" + std::string(100, '[') + "\"]", true},   // after an escaped quote
        {"[\"\\\\\"" + std::string(65, '[') + "]", false},   // an escaped backslash ends nothing
        {std::string(100, ']') + deepest, true},             // stray closers never go below zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonDepthWithin(c.text, kMaxJsonDepth), c.within) << c.text.substr(0, 80);
    }
}

}  // namespace
}  // namespace korvell
