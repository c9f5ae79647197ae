#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "export/MasDocument.h"
#include "export/SpiceBench.h"
#include "support/PdfText.h"
#include "support/SavedDesigns.h"

namespace korvell {
namespace {

const std::string kSchemas =
    std::string(KORVELL_TEST_DATA_DIR) + "/../../../shared/mas-schema/schemas";
const std::string kValidator =
    std::string(KORVELL_TEST_DATA_DIR) + "/../../scripts/validate-mas.py";

// The validator's verdict on files: its exit status and what it refused.
struct Verdict {
    int status = -1;
    std::string output;
};
Verdict validate(const std::vector<std::string>& files) {
    std::string command = "python3 '" + kValidator + "' '" + kSchemas + "' --class A";
    for (const std::string& f : files)
        command += " '" + f + "'";
    Verdict v;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            v.output.append(buffer, n);
        const int raw = pclose(pipe);
        v.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return v;
}

TEST(MasDocument, TheExportOfEveryApplicationIsAClassADocumentTheSchemaAccepts) {
    std::vector<std::string> files;
    for (const test::SavedDesign& design : test::kSavedDesigns) {
        const std::string path = ::testing::TempDir() + "korvell_" + design.name + ".mas.json";
        const auto run = testing::runProgram("mas --input '" + test::savedDesignFile(design) +
                                             "' --output '" + path + "'");
        ASSERT_EQ(run.status, 0) << design.name << ": " << run.err;
        files.push_back(path);
    }
    const Verdict verdict = validate(files);
    EXPECT_EQ(verdict.status, 0) << verdict.output;

    // The validator refuses what the schema refuses: the same documents, each broken once.
    std::ifstream in(files.front());
    const nlohmann::json good = nlohmann::json::parse(in);
    const std::vector<std::pair<const char*, void (*)(nlohmann::json&)>> breaks = {
        {"version", [](nlohmann::json& d) { d["masVersion"] = "1.0"; }},
        {"no inductance required",
         [](nlohmann::json& d) {
             d["inputs"]["designRequirements"].erase("magnetizingInductance");
         }},
        {"no turns",
         [](nlohmann::json& d) {
             d["magnetic"]["coil"]["functionalDescription"][0]["numberTurns"] = 0;
         }},
    };
    for (const auto& [name, breakIt] : breaks) {
        nlohmann::json bad = good;
        breakIt(bad);
        const std::string path = ::testing::TempDir() + "korvell_broken.mas.json";
        std::ofstream(path) << bad.dump();
        EXPECT_EQ(validate({path}).status, 1) << name;
        std::filesystem::remove(path);
    }
    for (const std::string& f : files)
        std::filesystem::remove(f);
}

TEST(MasDocument, HoldsTheAnalyzedFiguresInSiUnits) {
    struct Case {
        const char* options;
        const char* topology;  // empty: none
        const char* label;     // of the current waveform
        double meanA;
    };
    const Case cases[] = {
        {"--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 "
         "--frequency 100",
         "buckConverter", "triangular", 5},
        {"--app dc --part E100-21 --stack 2 --turns 30 --wire #20 --strands 2 --current 10 "
         "--von 20 --voff 12 --frequency 100",
         "buckConverter", "triangular", 10},
        {"--app pfc --part T157-21 --turns 80 --wire #16 --current 5 --vin-peak 311 --vout 400 "
         "--frequency 100",
         "boostConverter", "triangular", 5},
        {"--app powerline --frequency 60 --current 5 --part T200-21 --turns 100 --wire #16", "",
         "sinusoidal", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const auto design = testing::analyzeOptions(c.options);
        ASSERT_TRUE(design);
        const DesignRecord& r = design->record;
        const auto d = nlohmann::json::parse(masDocumentText(r, design->table));
        const double inductance = design->table.rows[0].value * 1e-6;
        EXPECT_EQ(d["masVersion"], "1.0.0");
        EXPECT_EQ(d["masConformance"], "A");
        const auto& requirements = d["inputs"]["designRequirements"];
        EXPECT_DOUBLE_EQ(requirements["magnetizingInductance"]["minimum"], inductance);
        EXPECT_EQ(requirements.value("topology", ""), c.topology);
        const auto& drive = d["inputs"]["operatingPoints"][0]["excitationsPerWinding"][0];
        const auto& current = drive["current"];
        EXPECT_EQ(current["processed"]["label"], c.label);
        const auto& samples = current["waveform"]["data"];
        double sum = 0;
        for (const auto& v : samples)
            sum += v.get<double>();
        EXPECT_NEAR(sum / samples.size(), c.meanA, 0.02 * c.meanA + 1e-9);
        if (r.applicationType == kDcBiased) {
            EXPECT_NEAR(current["processed"]["peakToPeak"].get<double>(),
                        design->table.rows[3].value, 1e-6);
            EXPECT_DOUBLE_EQ(drive["frequency"], 1000.0 * r.frequencyKhz);
        }
        const auto& winding = d["magnetic"]["coil"]["functionalDescription"][0];
        EXPECT_EQ(winding["numberTurns"], static_cast<int>(r.turns));
        EXPECT_EQ(winding["numberParallels"], r.wireStrands);
        EXPECT_NEAR(winding["wire"]["conductingDiameter"]["nominal"].get<double>(),
                    r.wireBareDia * 0.0254, 1e-9);
        EXPECT_EQ(d["magnetic"]["core"]["functionalDescription"]["numberStacks"], r.stackedCores);
        const auto& out = d["outputs"][0];
        EXPECT_DOUBLE_EQ(
            out["inductance"]["magnetizingInductance"]["magnetizingInductance"]["nominal"],
            inductance);
        EXPECT_NEAR(out["windingLosses"]["windingLosses"].get<double>(),
                    design->table.rows[9].value, 1e-6);
        EXPECT_NEAR(out["temperature"]["maximumTemperature"].get<double>(),
                    r.ambientTemp + design->table.rows[12].value, 1e-3);
    }
}

}  // namespace
}  // namespace korvell
