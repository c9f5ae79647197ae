// Results computed in double and stored into the record's single-precision and integer fields.
#pragma once

#include <cstdint>

namespace korvell {

// A double result stored into a single-precision field: clamped to +-FLT_MAX; NaN stores 0.
float toStoredFloat(double value);

// A stored count field (float) back to an int32 count: truncated toward zero and clamped to the
// int32 range; NaN gives 0.
std::int32_t toCount(float value);

}  // namespace korvell
