// JSON text written straight from the record, exactly as nlohmann::json::dump(2) writes the same
// document (two-space indent, ": " after keys, the library's shortest number form), without
// building the document's tree first: a design search prints forty designs of thirty numbers.
// Keys of an object are written in the order given, which must be the library's sorted order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvell::cli {

class JsonText {
  public:
    void openObject();
    void closeObject();
    void openArray();
    void closeArray();
    // The key of the next member of the open object.
    void key(std::string_view name);
    void string(std::string_view text);
    void integer(long long value);
    void boolean(bool value);
    // A float of the record as jsonNumber gives it (its "%.7g" decimal); null when not finite.
    void number(float value);
    void null();

    const std::string& text() const { return m_out; }

  private:
    void beforeValue();
    void appendEscaped(std::string_view text);
    void newLine();
    void open(char bracket);
    void close(char bracket);

    std::string m_out;
    std::vector<int> m_counts;  // members written so far, per open object or array
    bool m_afterKey = false;
    std::unordered_map<std::uint32_t, std::string> m_numbers;  // float bits to their text
};

}  // namespace korvell::cli
