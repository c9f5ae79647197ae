// The material selector's descriptions are claims about the tables. A test that backs a claim
// first finds the claim's words in the description itself, so an edited description fails the
// test that backed the old words instead of leaving it checking a claim nobody makes any more.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "materials/Materials.h"

namespace korvell::test {

inline ::testing::AssertionResult says(std::string_view code, std::string_view words) {
    const MaterialFacts* facts = findMaterial(code);
    if (facts == nullptr) return ::testing::AssertionFailure() << code << " is no material";
    if (facts->description.find(words) == std::string_view::npos) {
        return ::testing::AssertionFailure()
               << "the description of " << code << " no longer says \"" << words << "\": \""
               << facts->description << "\"";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace korvell::test
