// The printable label: replacement passes, the class block, the picture
// beside the page, and the shipped template.
#include "label/label_html.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "label/label_evaluation.h"
#include "platform/encoding.h"
#include "support/test_support.h"

namespace kvem {
namespace {

EnStData RatedAt(double sen) {
  EnStData d;
  d.storeyFlag = "ANO";
  d.ev = sen;
  d.evn = 100.0;
  d.eva = 312.5;
  d.sen = sen;
  return d;
}

std::string Fill(std::string_view templ, const EnStData& d, char sep = ',') {
  BuildingData building;
  return FillLabelTemplate(templ, d, building, "pic.gif", sep);
}

TEST(LabelHtml, ClassBlockKeepsTheTemplatesPercentSign) {
  const std::string templ = "<p>%HodnotaDo80%</p><b>%HodnotaKlasifikace%</b><i>%HodnotaDo100%</i>";
  EXPECT_EQ(Fill(templ, RatedAt(75.0)), "<p>75,0%</p><b>C</b><i></i>");
  EXPECT_EQ(Fill(templ, RatedAt(80.0)), "<p>80,0%</p><b>C</b><i></i>");
  EXPECT_EQ(Fill(templ, RatedAt(80.01)), "<p></p><b>D</b><i>80,0%</i>");
  EXPECT_EQ(Fill(templ, RatedAt(80.01), '.'), "<p></p><b>D</b><i>80.0%</i>");
}

TEST(LabelHtml, WholePageFromASmallTemplate) {
  EnStData d = RatedAt(104.26);
  d.kind = "Stavby pro bydlení";
  d.kindDetail = "4 - Bytový dům";
  d.cadastralArea = "Brno";
  d.cadastralNumber = "123/4";
  d.owner = "<Jan> %VlastnikEmail%";  // inserted as stored; a later pass sees the key
  d.ownerEmail = "jan@example.cz";
  d.volume = 620.0;
  d.aToV = 0.5;
  d.ezs = 3720.0;  // solar gains go to the key "EVZ"
  d.evz = 1860.0;  // internal gains to "EZS"
  d.constructions[0] = {"128,0", "0,16", "0,24", "1", "20,48"};
  d.firm = "Teplo s.r.o.";
  BuildingData building;
  building.te = -15;
  building.date = "2026-11-30";
  building.preparedBy = "Ing. Jana Černá";
  const std::string templ =
      "<h1>%DruhBudovy%</h1>\r\n<p>%KatastralniCislo/KatastralniUzemi%|%Vlastnik%|\r\n"
      "%ObjemBudovy%|%PlochaKuPlose%|%VenkovniTeplota%|%HodnotaEVZ%|%HodnotaEZS%|\r\n"
      "%A_strechy_1%/%H_strechy_1%|e%KoncovkaE%=%HodnotaE% %JednotkaE% (%HodnotaEPP%)|\r\n"
      "%BudovaSplnujeNesplnuje%|%HodnataSEN%|%HodnotaDo120%|%HodnotaKlasifikace%|\r\n"
      "%HodnotaZpracovatel%|%HodnotaZpracoval%|%HodnotaDatum%|%ObjemBudovy%</p>\r\n"
      "<img src=\"EnergetickyStitekSablona.bmp\">\r\n";
  const std::string page = FillLabelTemplate(templ, d, building, "Stitek.gif", ',');
  EXPECT_EQ(Cp1250ToUtf8(page),
            "<h1>Stavby pro bydlení - 4 - Bytový dům</h1><p>Brno / 123/4|<Jan> jan@example.cz|"
            "620,0|0,50000000|-15|3720,000|1860,000|"
            "128,0/20,48|ev=104,260 kWh/m3.a (100,000)|"
            "BUDOVA NESPLŇUJE POŽADAVEK ČSN 73 0540-2|104,3|104,3%|E|"
            "Teplo s.r.o.|Ing. Jana Černá|2026-11-30|620,0</p><img src=\"Stitek.gif\">");
  EXPECT_EQ(page.find('\n'), std::string::npos);
}

TEST(LabelHtml, RecordWithoutRatingLeavesItsValuesEmpty) {
  EnStData d;
  d.volume = 0.0;
  d.area = 500.0;
  d.aToV = 500.0 / d.volume;
  ComputeEnergyBalance(d);
  const std::string templ =
      "[%PlochaKuPlose%][%HodnotaEPP%][%HodnataSEN%][%HodnotaDo40%][%HodnotaNad150%]"
      "[%HodnotaKlasifikace%][%BudovaSplnujeNesplnuje%][%HodnotaEVZ%]";
  EXPECT_EQ(Fill(templ, d), "[][][][][][][][0,000]");
}

TEST(LabelHtml, PictureBesideThePage) {
  EXPECT_EQ(LabelPicturePathFor("/x/EnergetickyStitekBudovy.html"),
            "/x/EnergetickyStitekBudovy.gif");
  EXPECT_EQ(LabelPicturePathFor("/x/a.b.htm"), "/x/a.b.gif");

  test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "main" / "Kvem");
  test::WriteFile(LabelTemplatePath(dir.path() / "main"),
                  "<img src=\"EnergetickyStitekSablona.bmp\">");
  test::WriteFile(LabelPicturePath(dir.path() / "main"), "GIF89a");
  EnergyLabelState state;
  BuildingData building;
  RecordingMessenger messenger;
  for (const char* name : {"one.htm", "two.html"}) {
    ASSERT_TRUE(SaveLabelPage(state, building, dir.path() / "main", dir / name, ',', messenger));
  }
  EXPECT_EQ(state.pictureName, "two.gif");
  EXPECT_EQ(test::ReadFile(dir / "one.htm"), "<img src=\"one.gif\">");
  EXPECT_EQ(test::ReadFile(dir / "two.html"), "<img src=\"two.gif\">");
  EXPECT_EQ(test::ReadFile(dir / "one.gif"), "GIF89a");
  EXPECT_EQ(test::ReadFile(dir / "two.gif"), "GIF89a");
  EXPECT_TRUE(messenger.messages().empty());
}

TEST(LabelHtml, MissingTemplateWritesNothing) {
  test::TempDir dir;
  test::WriteFile(dir / "label.htm", "previous");
  RecordingMessenger messenger;
  EXPECT_FALSE(GenerateLabelPage(dir / "label.htm", dir / "missing.htm", EnStData{}, BuildingData{},
                                 "label.gif", '.', messenger));
  ASSERT_EQ(messenger.texts().size(), 1u);
  EXPECT_EQ(messenger.texts()[0], "IDS_");
  EXPECT_EQ(messenger.messages()[0].icon, Icon::Stop);
  EXPECT_EQ(test::ReadFile(dir / "label.htm"), "previous");
}

TEST(LabelHtml, ShippedTemplateUsesEveryKey) {
  const char* data = std::getenv("KVEM_DATA_DIR");
  ASSERT_NE(data, nullptr);
  const std::string templ = test::ReadFile(LabelTemplatePath(data));
  ASSERT_FALSE(templ.empty());
  std::vector<std::string> keys = {"%Provozovatel%",
                                   "%ProvozovatelAdresa%",
                                   "%ProvozovatelTelefon%",
                                   "%ProvozovatelEmail%",
                                   "%KatastralniCislo/KatastralniUzemi%",
                                   "%DruhBudovy%",
                                   "%Vlastnik%",
                                   "%VlastnikAdresa%",
                                   "%VlastnikTelefon%",
                                   "%VlastnikEmail%",
                                   "%ObjemBudovy%",
                                   "%PlochaBudovy%",
                                   "%PlochaKuPlose%",
                                   "%VnitrniTeplota%",
                                   "%VenkovniTeplota%",
                                   "%Soucinitel_h1%",
                                   "%Soucinitel_h2%",
                                   "%A_celkem%",
                                   "%H_celkem%",
                                   "%HodnotaHT%",
                                   "%HodnotaEVP%",
                                   "%HodnotaEVV%",
                                   "%HodnotaEVZ%",
                                   "%HodnotaEZS%",
                                   "%Hodnota_n%",
                                   "%HodnotaER%",
                                   "%KoncovkaE%",
                                   "%JednotkaE%",
                                   "%HodnotaE%",
                                   "%HodnotaEPP%",
                                   "%BudovaSplnujeNesplnuje%",
                                   "%HodnataSEN%",
                                   "%HodnotaDo40%",
                                   "%HodnotaDo60%",
                                   "%HodnotaDo80%",
                                   "%HodnotaDo100%",
                                   "%HodnotaDo120%",
                                   "%HodnotaDo150%",
                                   "%HodnotaNad150%",
                                   "%HodnotaKlasifikace%",
                                   "%HodnotaDatum%",
                                   "%HodnotaZpracovatel%",
                                   "%HodnotaICO%",
                                   "%HodnotaZpracoval%",
                                   "EnergetickyStitekSablona.bmp"};
  for (const char* stem : {"strechy_1", "steny_2", "podlahy_3", "polozka_4", "polozka_5",
                           "polozka_6", "polozka_7", "polozka_8", "otvory_9", "otvory_10"}) {
    for (const char* prefix : {"A_", "U_", "Un_", "b_", "H_"}) {
      keys.push_back(std::string("%") + prefix + stem + "%");
    }
  }
  for (const std::string& key : keys) EXPECT_NE(templ.find(key), std::string::npos) << key;
  // Filled, no key is left over.
  const std::string page = Cp1250ToUtf8(Fill(templ, RatedAt(52.4)));
  EXPECT_FALSE(std::regex_search(page, std::regex("%[A-Za-z_/0-9]+%"))) << page;
  EXPECT_NE(page.find("52,4%"), std::string::npos);
}

}  // namespace
}  // namespace kvem
