// The batch tool's label record: what it reads, what it refuses.
#include "label/label_json.h"

#include <gtest/gtest.h>

#include <string>

namespace kvem {
namespace {

TEST(LabelJson, ReadsTheRecordAndTheProjectHeader) {
  EnStData d;
  BuildingData b;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseLabelJson(
      R"({"project": {"Te": -15, "date": "2026-11-30", "prepared_by": "Ing. Jana Černá"},
          "label": {"kind": "Stavby pro bydlení", "owner": "Obec", "ico": "123", "V": 620.0,
                    "A": 478.5, "theta_i": 20, "storey_flag": "NE", "Af": 168,
                    "constructions": [["128,0", "0,16", "0,24", "1", ""], null, ["1"]],
                    "manual_Evz": 1, "Evz": 2500.5, "unknown": [1, 2]}})",
      "x.json", d, b, messenger))
      << messenger.texts()[0];
  EXPECT_EQ(b.te, -15);
  EXPECT_EQ(b.date, "2026-11-30");
  EXPECT_EQ(b.preparedBy, "Ing. Jana Černá");
  EXPECT_EQ(d.kind, "Stavby pro bydlení");
  EXPECT_EQ(d.owner, "Obec");
  EXPECT_EQ(d.ico, "123");
  EXPECT_EQ(d.volume, 620.0);
  EXPECT_EQ(d.thetaI, 20.0);
  EXPECT_EQ(d.floorArea, 168.0);
  EXPECT_EQ(d.constructions[0][kCellUi], "0,16");
  EXPECT_EQ(d.constructions[1][kCellAi], "");
  EXPECT_EQ(d.constructions[2][kCellAi], "1");
  EXPECT_EQ(d.manualEvz, 1);
  EXPECT_EQ(d.evz, 2500.5);
}

TEST(LabelJson, EmptyLabelIsTheStartRecord) {
  EnStData d;
  d.volume = 5.0;
  d.sen = 80.0;
  BuildingData b;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseLabelJson(R"({"label": {}})", "x.json", d, b, messenger));
  EXPECT_EQ(d.volume, 0.0);
  EXPECT_EQ(d.sen, 0.0);
  EXPECT_EQ(b.te, 0);
}

TEST(LabelJson, RefusesWhatIsNotALabelRecordAndKeepsTheData) {
  const char* bad[] = {
      "",
      "[1, 2]",
      R"({"project": {}})",
      R"({"label": []})",
      R"({"label": {"V": "620"}})",
      R"({"label": {"kind": 4}})",
      R"({"label": {"V": 1e400}})",
      R"({"project": {"Te": -15.5}, "label": {}})",
      R"({"label": {"constructions": [[], [], [], [], [], [], [], [], [], [], []]}})",
      R"({"label": {"constructions": [["1", "2", "3", "4", "5", "6"]]}})",
      R"({"label": {"constructions": [[1.5]]}})",
      "{\"label\": {\"owner\": \"\xC8\"}}",  // not UTF-8
  };
  for (const char* text : bad) {
    EnStData d;
    d.owner = "kept";
    BuildingData b;
    b.te = -12;
    RecordingMessenger messenger;
    EXPECT_FALSE(ParseLabelJson(text, "x.json", d, b, messenger)) << text;
    ASSERT_EQ(messenger.texts().size(), 1u) << text;
    EXPECT_EQ(messenger.texts()[0].rfind("'x.json' is not a label record: ", 0), 0u);
    EXPECT_EQ(d.owner, "kept");
    EXPECT_EQ(b.te, -12);
  }
}

TEST(LabelJson, DeepNestingIsRefusedBeforeParsing) {
  const std::string deep = "{\"label\": {\"x\": " + std::string(100000, '[') + "}}";
  EnStData d;
  BuildingData b;
  RecordingMessenger messenger;
  EXPECT_FALSE(ParseLabelJson(deep, "deep.json", d, b, messenger));
}

}  // namespace
}  // namespace kvem
