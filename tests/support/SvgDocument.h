// Reads an SVG document back with an XML parser (Python's xml.etree, which refuses anything
// that is not well-formed) and lists its elements, so tests can count lines and read texts.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace korvell::test {

struct SvgElement {
    std::string tag;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::string attribute(const std::string& name) const {
        const auto it = attributes.find(name);
        return it == attributes.end() ? std::string() : it->second;
    }
};

struct ParsedSvg {
    bool wellFormed = false;
    std::string error;
    std::vector<SvgElement> elements;  // document order, the root first

    std::size_t count(const std::string& tag, const std::string& stroke = {}) const {
        return std::count_if(elements.begin(), elements.end(), [&](const SvgElement& e) {
            return e.tag == tag && (stroke.empty() || e.attribute("stroke") == stroke);
        });
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> list;
        for (const auto& e : elements)
            if (e.tag == "text") list.push_back(e.text);
        return list;
    }
    bool hasText(const std::string& text) const {
        const auto all = texts();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
};

inline constexpr const char* kSvgReader = R"(
import json, sys, xml.etree.ElementTree as ET
try:
    root = ET.parse(sys.argv[1]).getroot()
except ET.ParseError as e:
    print(json.dumps({"error": str(e)}))
    sys.exit(0)
print(json.dumps({"elements": [{"tag": el.tag.split("}")[-1], "attributes": el.attrib,
                                "text": el.text or ""} for el in root.iter()]}))
)";

// Parses the document; skips the calling test when no Python 3 is at hand.
inline ParsedSvg parseSvg(const std::string& document) {
    ParsedSvg parsed;
    const std::string stem = ::testing::TempDir() + "korvell_svg_" + std::to_string(getpid());
    const std::string svgPath = stem + ".svg";
    const std::string scriptPath = stem + ".py";
    std::ofstream(svgPath, std::ios::binary) << document;
    std::ofstream(scriptPath) << kSvgReader;
    std::string output;
    if (FILE* pipe =
            popen(("python3 " + scriptPath + " " + svgPath + " 2>/dev/null").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            output.append(buffer.data(), n);
        pclose(pipe);
    }
    std::remove(svgPath.c_str());
    std::remove(scriptPath.c_str());
    const auto json = nlohmann::json::parse(output, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        parsed.error = "no XML reader (python3) available";
        return parsed;
    }
    if (json.contains("error")) {
        parsed.error = json["error"].get<std::string>();
        return parsed;
    }
    parsed.wellFormed = true;
    for (const auto& e : json["elements"]) {
        SvgElement element;
        element.tag = e["tag"].get<std::string>();
        element.text = e["text"].get<std::string>();
        for (const auto& [name, value] : e["attributes"].items())
            element.attributes[name] = value.get<std::string>();
        parsed.elements.push_back(std::move(element));
    }
    return parsed;
}

}  // namespace korvell::test

// Parses an SVG document into `parsed`, skipping the test when there is no XML reader and
// failing it when the document is not well-formed.
#define KORVELL_PARSE_SVG(parsed, document)                                        \
    const auto parsed = ::korvell::test::parseSvg(document);                       \
    if (!parsed.wellFormed && parsed.error == "no XML reader (python3) available") \
        GTEST_SKIP() << parsed.error;                                              \
    ASSERT_TRUE(parsed.wellFormed) << parsed.error
