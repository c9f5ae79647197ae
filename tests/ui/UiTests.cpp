#include "ui/UiTests.h"

namespace korvell::test {

std::map<std::string, UiTestFactory>& uiTestClasses() {
    static std::map<std::string, UiTestFactory> classes;
    return classes;
}

}  // namespace korvell::test
