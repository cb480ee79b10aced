// kvem-cli report writes the reports as PDF files: their text (read back with
// pdftotext) holds the header, every room and the totals with the user's
// decimal separator, and their page count is the one the page plan gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "heatloss/heat_loss.h"
#include "platform/numbers.h"
#include "project/project_file.h"
#include "report/report_plan.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using Result = test::CliResult;

class ReportPdf : public ::testing::Test {
 protected:
  Result Shell(const std::string& command) { return test::RunShell(dir_.path(), command); }
  Result Report(const std::filesystem::path& project, const std::string& arguments,
                const std::string& lang = "C.UTF-8") {
    const char* cli = std::getenv("KVEM_CLI");
    return Shell("LC_ALL= LC_NUMERIC= LANG=" + lang + " '" + std::string(cli ? cli : "kvem-cli") +
                 "' --settings '" + (dir_ / "kvem.ini").string() + "' report '" + project.string() +
                 "' --tmp '" + dir_.path().string() + "' " + arguments);
  }
  std::string PdfText(const std::string& pdf) {
    const Result r = Shell("pdftotext -layout '" + (dir_ / pdf).string() + "' -");
    EXPECT_EQ(r.status, 0) << "pdftotext (poppler-utils) is needed: " << r.err;
    return r.out;
  }
  int PdfPages(const std::string& pdf) {
    const Result r = Shell("pdfinfo '" + (dir_ / pdf).string() + "'");
    const auto at = r.out.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(r.out.c_str() + at + 6);
  }
  // The example house, calculated, and the page count its plan gives.
  Project House(char separator = '.') {
    Project p;
    RecordingMessenger m;
    EXPECT_TRUE(ReadProject(p, test::ExamplesDir() / "family-house.kvm", '.', m));
    EXPECT_TRUE(CalculateHeatLoss(p, dir_.path(), m));
    if (separator != '.') {
      EXPECT_TRUE(WriteProject(p, dir_ / "comma.kvm", separator, m));
    }
    return p;
  }
  static int PlannedPages(const Project& p, report::ReportKind kind, int top = 20,
                          int bottom = 20) {
    report::PrintSettings s;
    s.kind = kind;
    s.topMargin = top;
    s.bottomMargin = bottom;
    report::PagePlan plan;
    RecordingMessenger m;
    EXPECT_TRUE(report::MakePagePlan(p, s, report::kA4, report::LineHeights{}, plan, m));
    return plan.PageCount();
  }

  test::TempDir dir_;
};

TEST_F(ReportPdf, ResultsReportOfTheExampleHouseWithDecimalCommas) {
  const Project house = House(',');
  const Result r =
      Report(dir_ / "comma.kvm", "--kind results --pdf '" + (dir_ / "r.pdf").string() + "'",
             "cs_CZ.UTF-8");
  ASSERT_EQ(r.status, 0) << r.err;
  const int pages = PlannedPages(house, report::ReportKind::Results);
  EXPECT_EQ(r.out, (dir_ / "r.pdf").string() + ": " + std::to_string(pages) +
                       (pages == 1 ? " page\n" : " pages\n"));
  EXPECT_EQ(PdfPages("r.pdf"), pages);

  const std::string text = PdfText("r.pdf");
  for (const char* label :
       {"Kvem", "Building:", "Project:", "Vypracoval:", "Reg.no:", "Outdoor temperature Te [°C]:",
        "Building total loss [W]:", "Ventilation", "Page 1 from 1"}) {
    EXPECT_NE(text.find(label), std::string::npos) << label;
  }
  for (int room = 1; room < house.building.roomCount; ++room) {
    const Room& rm = house.rooms[static_cast<std::size_t>(room)];
    EXPECT_NE(text.find(rm.number), std::string::npos) << rm.number;
    const std::string loss =
        FormatDouble("%.1f", house.results[static_cast<std::size_t>(room)].totalLoss, ',');
    EXPECT_NE(text.find(loss), std::string::npos) << loss;
  }
  for (double total : {house.totals.totalLoss, house.totals.transmissionLoss,
                       house.totals.ventilationLoss, house.totals.volume}) {
    const std::string value = FormatDouble("%.1f", total, ',');
    EXPECT_NE(text.find(value), std::string::npos) << value;
  }
}

TEST_F(ReportPdf, PageCountsFollowThePlanForBothKindsAndMargins) {
  const Project house = House();
  const auto example = test::ExamplesDir() / "family-house.kvm";
  // Wide top and bottom margins push the results onto a second page.
  Result r = Report(example, "--margins 80,20,20,80 --pdf '" + (dir_ / "m.pdf").string() + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  const int pages = PlannedPages(house, report::ReportKind::Results, 80, 80);
  EXPECT_GT(pages, 1);
  EXPECT_EQ(PdfPages("m.pdf"), pages);
  std::string text = PdfText("m.pdf");
  EXPECT_NE(text.find("Page " + std::to_string(pages) + " from " + std::to_string(pages)),
            std::string::npos);

  r = Report(example, "--kind input --pdf '" + (dir_ / "i.pdf").string() + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(PdfPages("i.pdf"), PlannedPages(house, report::ReportKind::InputData));
  text = PdfText("i.pdf");
  for (int room = 1; room < house.building.roomCount; ++room) {
    const Room& rm = house.rooms[static_cast<std::size_t>(room)];
    EXPECT_NE(text.find(rm.number), std::string::npos) << rm.number;
  }
  for (const char* word : {"Stěna", "Opening", "Wall", "x otvor", "Cardinal"}) {
    EXPECT_NE(text.find(word), std::string::npos) << word;
  }
}

TEST_F(ReportPdf, RefusesWhatItCannotPrint) {
  const auto example = test::ExamplesDir() / "family-house.kvm";
  const auto pdf = dir_ / "x.pdf";
  Result r = Report(example, "--margins 140,20,20,140 --pdf '" + pdf.string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(report::kNoHeightMessage), std::string::npos) << r.err;
  r = Report(example, "--margins 20,20,20 --pdf '" + pdf.string() + "'");
  EXPECT_EQ(r.status, 2);
  r = Report(dir_ / "missing.kvm", "--pdf '" + pdf.string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace kvem
