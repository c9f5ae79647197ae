#include "ui/UiTests.h"

#include <QProcess>
#include <QRegularExpression>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"

namespace korvell::test {

std::map<std::string, UiTestFactory>& uiTestClasses() {
    static std::map<std::string, UiTestFactory> classes;
    return classes;
}

std::tm fixedDate() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

void searchBuckFilter(TestDesktop& t, const char* stack) {
    RequirementTexts texts = requirementFieldTexts(t.record());
    texts[0] = "100";
    texts[2] = "5";
    texts[5] = "12";
    texts[6] = "5";
    texts[7] = "100";
    texts[9] = stack;
    QVERIFY(acceptRequirements(t.record(), t.messages, texts));
    run_design_search(t.record(), t.messages);
}

QString pdfText(const QString& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& path) {
    QProcess process;
    process.start("pdfinfo", {path});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace korvell::test
