#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
#include "files/DesignFile.h"
#include "platform/Format.h"

namespace korvell {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// Requirements typed into the requirements window for each application, and its search.
DesignRecord searched(int application) {
    DesignRecord r;
    r.applicationType = static_cast<std::int8_t>(application);
    applyApplicationSelections(r);
    RequirementTexts texts = requirementFieldTexts(r);
    const std::array<std::array<const char*, 8>, kApplicationCount> typed = {{
        {"100", "0", "5", "", "", "12", "5", "100"},
        {"100", "0", "5", "200", "1", "12", "5", "100"},
        {"50", "0", "10", "500", "0.5", "12", "5", "100"},
        {"400", "0", "5", "", "", "311", "400", "65"},
        {"1000", "0", "10", "1500", "2", "", "", "60"},
        {"10", "0", "2", "", "", "100", "", "795.8"},
    }};
    for (int k = 0; k < 8; ++k) {
        if (*typed[application][k]) texts[k] = typed[application][k];
    }
    SilentMessages messages;
    EXPECT_TRUE(acceptRequirements(r, messages, texts)) << application;
    run_design_search(r, messages);
    return r;
}

// What a design file keeps of a record.
void expectSameSavedState(const DesignRecord& a, const DesignRecord& b) {
    EXPECT_EQ(a.applicationType, b.applicationType);
    EXPECT_EQ(a.coreShape, b.coreShape);
    EXPECT_EQ(a.windingMode, b.windingMode);
    EXPECT_EQ(a.selectedMaterials, b.selectedMaterials);
    EXPECT_EQ(a.unitSystem, b.unitSystem);
    EXPECT_EQ(a.wireGageSystem, b.wireGageSystem);
    EXPECT_EQ(a.lengthUnitName, b.lengthUnitName);
    EXPECT_EQ(a.stackedCores, b.stackedCores);
    EXPECT_EQ(a.wireStrands, b.wireStrands);
    EXPECT_EQ(a.requirementsByApplication, b.requirementsByApplication);
    EXPECT_EQ(a.designParamsByApplication, b.designParamsByApplication);
    EXPECT_EQ(a.designChoicesByApplication, b.designChoicesByApplication);
    EXPECT_EQ(a.riseLimitBy, b.riseLimitBy);
    EXPECT_EQ(a.alTolerancePercent, b.alTolerancePercent);
    EXPECT_EQ(a.designAt, b.designAt);
    EXPECT_EQ(a.designCount, b.designCount);
    EXPECT_TRUE(a.designResults == b.designResults);
    EXPECT_TRUE(a.designWires == b.designWires);
    EXPECT_TRUE(a.designDimensions == b.designDimensions);
    EXPECT_TRUE(a.reqtSummary == b.reqtSummary);
    EXPECT_EQ(a.inductanceRequired, b.inductanceRequired);
    EXPECT_EQ(a.avgVoltage, b.avgVoltage);
    EXPECT_EQ(a.pfcVoltageRatio, b.pfcVoltageRatio);
    EXPECT_EQ(a.frequencyKhz, b.frequencyKhz);
    EXPECT_EQ(a.maxFillFactor, b.maxFillFactor);
    EXPECT_EQ(a.leadLengthTotal, b.leadLengthTotal);
    EXPECT_EQ(a.ambientTemp, b.ambientTemp);
}

// A folder of its own under the temporary folder, removed with everything in it.
struct Folder {
    fs::path path;
    Folder() {
        path =
            fs::temp_directory_path() / ("korvell-design-file-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {}));
    }
};

TEST(DesignFile, EveryApplicationRoundTripsExactly) {
    for (int a = 0; a < kApplicationCount; ++a) {
        SCOPED_TRACE(a);
        const DesignRecord saved = searched(a);
        ASSERT_GT(saved.designCount, 0);
        const std::string text = designFileText(saved);
        DesignRecord opened;
        ASSERT_EQ(readDesignFile(text, opened), std::nullopt);
        expectSameSavedState(saved, opened);
        // Writing what was read gives the same text.
        EXPECT_EQ(designFileText(opened), text);
        // The searched requirements run again to the same designs.
        SilentMessages messages;
        run_design_search(opened, messages);
        EXPECT_TRUE(opened.designResults == saved.designResults);
    }
}

TEST(DesignFile, SelectionsUnitsAndParametersComeBack) {
    DesignRecord saved = searched(kPowerFactorBoost);
    saved.selectedMaterials[3].clear();
    saved.designParamsByApplication[kResonant][1] = 137.25f;
    saved.designParamsByApplication[kResonant][10] = 12;
    saved.designChoicesByApplication[kResonant] = {kRiseByCheck, 12.5f, kDesignAtWorstCase};
    saved.riseLimitBy = kRiseByCheck;  // the last search's active choices
    saved.alTolerancePercent = 3;
    saved.coreShape = kECore;
    saved.windingMode = kSingleLayer;
    applyDisplayUnits(saved, 0, kMetricWire);
    DesignRecord opened;
    ASSERT_EQ(readDesignFile(designFileText(saved), opened), std::nullopt);
    expectSameSavedState(saved, opened);
    EXPECT_EQ(opened.lengthFactor, 25.4f);
    EXPECT_EQ(opened.wireGageName, "mm ");
    EXPECT_EQ(opened.lastApplication, kPowerFactorBoost);
}

// A file of version 1, written before the design choices, reads with their defaults.
TEST(DesignFile, AFileWithoutTheDesignChoicesReadsWithTheirDefaults) {
    DesignRecord saved = searched(kDcBiased);
    Json old = Json::parse(designFileText(saved));
    old["version"] = 1;
    for (auto& [application, row] : old["designParameters"].items()) {
        (void)application;
        for (const char* key : {"riseLimitBy", "alTolerancePercent", "designAt"})
            row.erase(key);
    }
    for (const char* key : {"riseLimitBy", "alTolerancePercent", "designAt"})
        old["lastSearch"]["activeParameters"].erase(key);
    DesignRecord opened;
    opened.designChoicesByApplication[kDcBiased].designAt = kDesignAtWorstCase;
    ASSERT_EQ(readDesignFile(old.dump(), opened), std::nullopt);
    expectSameSavedState(saved, opened);
    EXPECT_EQ(opened.designChoicesByApplication[kDcBiased], DesignChoices{});
}

TEST(DesignFile, InputsWithoutASearchHaveNoResults) {
    DesignRecord r;
    r.applicationType = kPowerline;
    r.requirementsByApplication[kPowerline][0] = 1.0f;
    const Json file = Json::parse(designFileText(r));
    EXPECT_FALSE(file.contains("lastSearch"));
    DesignRecord opened = searched(kDcBiased);
    ASSERT_EQ(readDesignFile(file.dump(), opened), std::nullopt);
    EXPECT_EQ(opened.designCount, 0);
    EXPECT_EQ(opened.designResults[0].partNumber, "");
    EXPECT_EQ(opened.applicationType, kPowerline);
    EXPECT_EQ(opened.requirementsByApplication[kPowerline][0], 1.0f);
}

// Each damaged file is refused with the field and the value named, and changes nothing.
TEST(DesignFile, DamagedFilesAreRefusedWholeAndNameTheField) {
    const DesignRecord saved = searched(kDcBiased);
    const Json good = Json::parse(designFileText(saved));
    struct Damage {
        const char* pointer;
        Json value;  // null with `remove` removes the field
        bool remove;
        const char* expected;
    };
    const std::vector<Damage> damages = {
        {"/designParameters/dc/maxTempRiseC", 200.5, false,
         "designParameters.dc.maxTempRiseC: 200.5 is outside 0 to 200"},
        {"/designParameters/pfc/ambientC", -201, false, "designParameters.pfc.ambientC: -201"},
        {"/designParameters/dc/stackedCores", 2.5, false, "stackedCores: 2.5 is not a whole"},
        {"/requirements/resonant/currentA", -1, false, "requirements.resonant.currentA: -1"},
        {"/requirements/dc/inductanceMh", "0.1", false, "\"0.1\" is not a number"},
        {"/requirements/dc/inductanceMh", 1e39, false, "is not a number a field can hold"},
        {"/wireStrands", 16777217, false, "wireStrands: 16777217 is outside 1 to 16777216"},
        {"/application", "buck", false, "application: \"buck\" is not one of dc"},
        {"/materials/0", "-26", false, "materials: \"-26\" is not one of"},
        {"/materials/1", "-11", false, "materials: \"-11\" is listed twice"},
        {"/requirements/dc/voltage1V", nullptr, true, "requirements.dc.voltage1V: is missing"},
        {"/coreShape", nullptr, true, "coreShape: is missing"},
        {"/colour", "red", false, "colour: is not a field of a design file"},
        {"/requirements/dc/note", "x", false, "requirements.dc.note: is not a field"},
        {"/lastSearch/designs/0/partNumber", "T106-2", false,
         "is not a part number of the catalog"},
        {"/lastSearch/designs/0/rdc", -0.5, false, "designs[0].rdc: -0.5 is outside"},
        {"/lastSearch/designs/0/fillPercent", 3.4e38, false, "fillPercent: 3.4e+38 is outside"},
        {"/lastSearch/designs/0/tempRise", 200.5, false, "tempRise: 200.5 is outside 0 to 200"},
        {"/lastSearch/designs/0/wireData/dia", 11, false, "wireData.dia: 11 is outside 0 to 10"},
        {"/lastSearch/designCount", 41, false, "designCount: 41 is outside 0 to 40"},
        {"/lastSearch/summary/0/value", std::string(17, '9'), false, "longer than 16"},
        {"/lastSearch/designs/0/wire", "#18\n", false, "holds a character a field cannot"},
        {"/format", "inductor", false, "not a Korvell Inductors design file"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.pointer);
        Json file = good;
        const Json::json_pointer pointer(damage.pointer);
        if (damage.remove) {
            file[pointer.parent_pointer()].erase(pointer.back());
        } else {
            file[pointer] = damage.value;
        }
        DesignRecord record = searched(kPowerFactorBoost);
        const DesignRecord before = record;
        const auto refusal = readDesignFile(file.dump(), record);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_NE(refusal->find(damage.expected), std::string::npos) << *refusal;
        EXPECT_TRUE(record == before);
    }
}

TEST(DesignFile, OnlyWhatTheProgramCouldHaveWrittenIsRead) {
    const std::string text = designFileText(searched(kDcBiased));
    const std::size_t end = text.rfind('}');
    const std::string duplicated = std::string(text).insert(1, "\n  \"application\": \"pfc\",");
    const std::string afterNul = text.substr(0, end + 1) + std::string(1, '\0') + "{\"x\": 1}";
    const std::pair<std::string, const char*> refused[] = {
        {duplicated, "THE FIELD application APPEARS TWICE"},
        {afterNul, "IT HOLDS A NUL BYTE"},
        {text + "{}", "NOT COMPLETE JSON"},
    };
    for (const auto& [damaged, expected] : refused) {
        DesignRecord record;
        const DesignRecord before = record;
        const auto refusal = readDesignFile(damaged, record);
        ASSERT_TRUE(refusal.has_value()) << expected;
        EXPECT_NE(refusal->find(expected), std::string::npos) << *refusal;
        EXPECT_TRUE(record == before);
    }

    // The part number of the largest stack the requirements take, and the largest float, read
    // back.
    Json stacked = Json::parse(text);
    stacked["lastSearch"]["designs"][0]["partNumber"] = "E100-21/Q101 x16777216";
    stacked["requirements"]["pfc"]["frequency"] = 3.4028235e38;
    DesignRecord large;
    EXPECT_EQ(readDesignFile(stacked.dump(), large), std::nullopt);

    // A minus zero reads as the zero the program writes, so no field shows "-0.00".
    Json file = Json::parse(text);
    file["requirements"]["dc"]["maxDcResistanceOhm"] = -0.0;
    file["lastSearch"]["designs"][0]["price"] = -0.0;
    DesignRecord record;
    ASSERT_EQ(readDesignFile(file.dump(), record), std::nullopt);
    EXPECT_FALSE(std::signbit(record.requirementsByApplication[kDcBiased][1]));
    EXPECT_FALSE(std::signbit(record.designResults[0].price));
}

TEST(DesignFile, TruncatedAndNewerFilesAreRefused) {
    const std::string text = designFileText(searched(kDcBiased));
    DesignRecord record;
    const DesignRecord before = record;
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, text.size() / 2, text.size() - 3}) {
        const auto refusal = readDesignFile(std::string_view(text).substr(0, length), record);
        ASSERT_TRUE(refusal.has_value()) << length;
        EXPECT_NE(refusal->find("NOT COMPLETE JSON"), std::string::npos) << *refusal;
    }
    Json newer = Json::parse(text);
    newer["version"] = kDesignFileVersion + 1;
    newer["futureField"] = true;
    const auto refusal = readDesignFile(newer.dump(), record);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->find(strprintf("VERSION %d, NEWER THAN THIS PROGRAM READS (VERSION %d)",
                                      kDesignFileVersion + 1, kDesignFileVersion)),
              std::string::npos)
        << *refusal;
    EXPECT_TRUE(record == before);
}

TEST(DesignFile, SavingReplacesAFileWholeAndAFailureLeavesTheOldOne) {
    Folder folder;
    const std::string path = (folder.path / "buck.korvell.json").string();
    const DesignRecord first = searched(kDcBiased);
    ASSERT_EQ(saveDesignFile(path, first), std::nullopt);
    const DesignRecord second = searched(kResonant);
    ASSERT_EQ(saveDesignFile(path, second), std::nullopt);
    EXPECT_EQ(folder.entries(), std::size_t{1}) << "no temporary file is left behind";
    DesignRecord opened;
    ASSERT_EQ(openDesignFile(path, opened), std::nullopt);
    expectSameSavedState(second, opened);

    // A name that is taken by a folder cannot be written: the folder and its content stay.
    const fs::path taken = folder.path / "taken.korvell.json";
    fs::create_directory(taken);
    std::ofstream(taken / "inside.txt") << "kept";
    const auto refusal = saveDesignFile(taken.string(), first);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->find("COULD NOT BE WRITTEN"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_TRUE(fs::exists(taken / "inside.txt"));
    EXPECT_EQ(folder.entries(), std::size_t{2});

    EXPECT_TRUE(saveDesignFile((folder.path / "no" / "such.korvell.json").string(), first));
    EXPECT_TRUE(openDesignFile((folder.path / "missing.korvell.json").string(), opened));
}

TEST(DesignFile, StartUpInputsAreRecognised) {
    DesignRecord r;
    EXPECT_TRUE(inputsAtStartUpValues(r));
    r.designCount = 5;  // results are not inputs
    r.selectedDesign = 3;
    EXPECT_TRUE(inputsAtStartUpValues(r));
    r.requirementsByApplication[kResonant][2] = 1;
    EXPECT_FALSE(inputsAtStartUpValues(r));
    r = DesignRecord();
    r.selectedMaterials[0].clear();
    EXPECT_FALSE(inputsAtStartUpValues(r));
}

}  // namespace
}  // namespace korvell
