#include "heatloss/results_table.h"

#include <gtest/gtest.h>

#include "heatloss/heat_loss.h"
#include "platform/numbers.h"
#include "project/project_file.h"
#include "support/test_support.h"

namespace kvem {
namespace {

TEST(ResultsTable, FloorTemperatureCoversTheLossByFloorHeating) {
  EXPECT_EQ(FormatDouble("%7.1f", FloorSurfaceTemperature(20, 44.6), '.'), "   24.3");
  EXPECT_DOUBLE_EQ(FloorSurfaceTemperature(20, 0.0), 20.0);
  EXPECT_DOUBLE_EQ(FloorSurfaceTemperature(20, -5.0), 20.0);
}

TEST(ResultsTable, RowsShowTheResultsInTheColumnsFormats) {
  Project p;
  RecordingMessenger messenger;
  ASSERT_TRUE(ReadProject(p, test::ExamplesDir() / "worked-room.kvm", '.', messenger));
  test::TempDir tmp;
  ASSERT_TRUE(CalculateHeatLoss(p, tmp.path(), messenger));
  const auto rows = MakeResultRows(p, ',');
  ASSERT_EQ(rows.size(), 1u);
  const ResultRow expected = {"1",        "1.01",     "Room",     "20",       "   86,80",
                              "   52,00", "   391,5", "   378,0", "   769,5", "  14,80",
                              "   0,42",  "   20,00", "  38,48",  "   23,8"};
  EXPECT_EQ(rows[0], expected);
  const ResultFields fields = MakeResultFields(p, ',');
  EXPECT_EQ(fields.projectName, "Worked room");
  EXPECT_EQ(fields.totalVolume, "    52,0");
  EXPECT_EQ(fields.totalLoss, "   769,5");
  EXPECT_EQ(fields.lossPerVolume, "   14,80");
}

TEST(ResultsTable, AnEmptyProjectShowsNothing) {
  const Project p;
  EXPECT_TRUE(MakeResultRows(p, '.').empty());
  EXPECT_EQ(MakeResultFields(p, '.').totalLoss, "");
}

}  // namespace
}  // namespace kvem
