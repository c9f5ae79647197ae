#include "cli/JsonText.h"

#include <bit>
#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/CliOptions.h"

namespace korvell::cli {

void JsonText::newLine() {
    m_out += '\n';
    m_out.append(2 * m_counts.size(), ' ');
}

void JsonText::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_counts.empty()) return;  // the document itself
    m_out += m_counts.back()++ > 0 ? "," : "";
    newLine();
}

void JsonText::close(char bracket) {
    const int members = m_counts.back();
    m_counts.pop_back();
    if (members > 0) newLine();
    m_out += bracket;
}

void JsonText::open(char bracket) {
    beforeValue();
    m_out += bracket;
    m_counts.push_back(0);
}

void JsonText::openObject() {
    open('{');
}

void JsonText::closeObject() {
    close('}');
}

void JsonText::openArray() {
    open('[');
}

void JsonText::closeArray() {
    close(']');
}

void JsonText::key(std::string_view name) {
    m_out += m_counts.back()++ > 0 ? "," : "";
    newLine();
    appendEscaped(name);
    m_out += ": ";
    m_afterKey = true;
}

void JsonText::string(std::string_view text) {
    beforeValue();
    appendEscaped(text);
}

void JsonText::appendEscaped(std::string_view text) {
    // Escaped as the library escapes: quote, backslash, the named control characters and the
    // others as \u00xx.
    m_out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                m_out += "\\\"";
                break;
            case '\\':
                m_out += "\\\\";
                break;
            case '\b':
                m_out += "\\b";
                break;
            case '\f':
                m_out += "\\f";
                break;
            case '\n':
                m_out += "\\n";
                break;
            case '\r':
                m_out += "\\r";
                break;
            case '\t':
                m_out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    m_out += "\\u00";
                    m_out += kHex[(c >> 4) & 0xf];
                    m_out += kHex[c & 0xf];
                } else {
                    m_out += c;
                }
        }
    }
    m_out += '"';
}

void JsonText::integer(long long value) {
    beforeValue();
    m_out += std::to_string(value);
}

void JsonText::boolean(bool value) {
    beforeValue();
    m_out += value ? "true" : "false";
}

void JsonText::number(float value) {
    if (!std::isfinite(value)) {
        null();
        return;
    }
    beforeValue();
    // A design's figures repeat (one wire gage, one core size in many rows): each value is
    // converted once per document.
    const auto [known, added] = m_numbers.try_emplace(std::bit_cast<std::uint32_t>(value));
    if (added) {
        // The library's own shortest form of the number, so that the text is the one dump()
        // writes.
        char digits[64];
        char* end =
            nlohmann::detail::to_chars(digits, digits + sizeof digits, *jsonNumberValue(value));
        known->second.assign(digits, end);
    }
    m_out += known->second;
}

void JsonText::null() {
    beforeValue();
    m_out += "null";
}

}  // namespace korvell::cli
