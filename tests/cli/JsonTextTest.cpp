// The JSON the design command writes directly must be, byte for byte, what the library's dump(2)
// writes for the same document: golden files and scripts compare it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>

#include "cli/CliOptions.h"
#include "cli/JsonText.h"

namespace korvell {
namespace {

using cli::jsonNumber;
using cli::JsonText;

TEST(JsonText, WritesWhatTheLibraryDumps) {
    std::mt19937 random(3001);
    std::uniform_real_distribution<double> exponent(-12, 39);
    std::vector<float> numbers = {0.0f,
                                  -0.0f,
                                  1.0f,
                                  18.0f,
                                  0.1019f,
                                  1e-5f,
                                  123456789.0f,
                                  std::numeric_limits<float>::max(),
                                  std::numeric_limits<float>::infinity(),
                                  std::nanf("")};
    for (int i = 0; i < 2000; ++i)
        numbers.push_back(static_cast<float>((i % 2 ? -1 : 1) * std::pow(10.0, exponent(random))));
    const std::vector<std::string> strings = {"",
                                              "T106-21 x2",
                                              "quote \" and \\ back",
                                              "\n MISSING DASH (-)\r\t\b\f",
                                              std::string(1, '\x01'),
                                              "  ...END OF CATALOG REACHED ..."};

    JsonText json;
    nlohmann::json expected;
    json.openObject();
    json.key("empty array");
    json.openArray();
    json.closeArray();
    expected["empty array"] = nlohmann::json::array();
    json.key("empty object");
    json.openObject();
    json.closeObject();
    expected["empty object"] = nlohmann::json::object();
    json.key("integers");
    json.openArray();
    for (long long v : {0LL, -1LL, 2147483647LL, -2147483648LL}) {
        json.integer(v);
        expected["integers"].push_back(v);
    }
    json.closeArray();
    json.key("logical");
    json.openArray();
    for (const bool v : {true, false}) {
        json.boolean(v);
        expected["logical"].push_back(v);
    }
    json.closeArray();
    json.key("nested");
    json.openArray();
    for (const auto& s : strings) {
        json.openObject();
        json.key("caption");
        json.null();
        json.key("text");
        json.string(s);
        json.closeObject();
        expected["nested"].push_back({{"caption", nullptr}, {"text", s}});
    }
    json.closeArray();
    json.key("numbers");
    json.openArray();
    for (float v : numbers) {
        json.number(v);
        expected["numbers"].push_back(jsonNumber(v));
    }
    json.closeArray();
    json.closeObject();
    EXPECT_EQ(json.text(), expected.dump(2));
}

}  // namespace
}  // namespace korvell
