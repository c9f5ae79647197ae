// Text passing from the core to Qt: the core holds UTF-8 in std::string, Qt holds QString.
#pragma once

#include <QString>
#include <string_view>

namespace korvell {

// The QString of a UTF-8 text of the core (it need not end in a zero byte).
inline QString toQ(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvell
