#include <gtest/gtest.h>

#include "materials/WireRows.h"
#include "materials/WireTable.h"

namespace korvell {
namespace {

TEST(WireRows, EverySizeOfASystemLargestFirst) {
    const auto metric = wireTableGages(kMetricWire);
    ASSERT_EQ(metric.size(), 40u);
    EXPECT_EQ(metric.front(), 8.0f);
    EXPECT_EQ(metric.back(), 0.05f);
    const auto swg = wireTableGages(kSwg);
    ASSERT_EQ(swg.size(), 50u);
    EXPECT_EQ(swg.front(), 1.0f);
    EXPECT_EQ(swg.back(), 50.0f);
    const auto awg = wireTableGages(kAwg);
    ASSERT_EQ(awg.size(), 54u);
    EXPECT_EQ(awg.front(), -3.0f);
    EXPECT_EQ(awg.back(), 50.0f);
    EXPECT_TRUE(wireTableGages(3).empty());
}

TEST(WireRows, EachRowIsTheLookUpOfItsGage) {
    for (const std::int8_t system : {kMetricWire, kAwg, kSwg}) {
        RecordingMessages messages;
        std::vector<WireRow> rows;
        ASSERT_TRUE(listWireTable(system, messages, rows)) << int(system);
        EXPECT_TRUE(messages.empty());
        const auto gages = wireTableGages(system);
        ASSERT_EQ(rows.size(), gages.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            DesignRecord record;
            ASSERT_EQ(wireTableLookup(record, system, kByGage, gages[i]), 1);
            const WireRow& w = rows[i];
            EXPECT_TRUE(w == currentWireRow(record)) << int(system) << " " << w.gage;
            // Largest wire first.
            if (i > 0) {
                EXPECT_LT(w.bareDia, rows[i - 1].bareDia) << int(system) << " " << i;
            }
        }
    }
}

TEST(WireRows, AnUnknownSystemListsNothing) {
    RecordingMessages messages;
    std::vector<WireRow> rows(3);
    EXPECT_FALSE(listWireTable(7, messages, rows));
    EXPECT_TRUE(rows.empty());
}

TEST(WireRows, SizesAreNamedAsTheTradeWritesThem) {
    EXPECT_EQ(wireTableSizeText(kAwg, -3), "0000");
    EXPECT_EQ(wireTableSizeText(kAwg, -2), "000");
    EXPECT_EQ(wireTableSizeText(kAwg, -1), "00");
    EXPECT_EQ(wireTableSizeText(kAwg, 0), "0");
    EXPECT_EQ(wireTableSizeText(kSwg, 18), "18");
    EXPECT_EQ(wireTableSizeText(kAwg, 18.5f), "18.5");
    EXPECT_EQ(wireTableSizeText(kMetricWire, 0.55f), "0.55");
    EXPECT_EQ(wireTableSizeText(kMetricWire, 8), "8.00");
}

TEST(WireRows, CurrentWireRowCopiesTheRecordsWire) {
    DesignRecord record;
    ASSERT_EQ(wireTableLookup(record, kSwg, kByGage, 20), 1);
    const WireRow w = currentWireRow(record);
    EXPECT_EQ(w.label, " SWG");
    EXPECT_EQ(w.gage, 20.0f);
    EXPECT_EQ(w.area, record.wireArea);
    EXPECT_EQ(w.bareDia, record.wireBareDia);
    EXPECT_EQ(w.build, record.wireBuild);
    EXPECT_EQ(w.dia, record.wireDia);
    EXPECT_EQ(w.maxDia, record.wireMaxDia);
    EXPECT_EQ(w.ohmsPerFoot, record.wireOhmsPerFoot);
    EXPECT_EQ(w.weightPerFoot, record.wireWeightPerFoot);
}

}  // namespace
}  // namespace korvell
