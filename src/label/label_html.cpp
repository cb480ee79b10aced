#include "label/label_html.h"

#include <cmath>
#include <utility>
#include <vector>

#include "label/label_evaluation.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"

namespace kvem {
namespace {

// Construction row key stems, rows 1 to 10.
constexpr const char* kRowStems[kConstructionRows] = {
    "strechy_1", "steny_2",   "podlahy_3", "polozka_4", "polozka_5",
    "polozka_6", "polozka_7", "polozka_8", "otvory_9",  "otvory_10"};
constexpr const char* kCellPrefixes[kConstructionCells] = {"A_", "U_", "Un_", "b_", "H_"};

// Class keys A to G, without their closing percent sign.
constexpr const char* kClassKeys[7] = {"%HodnotaDo40",  "%HodnotaDo60",  "%HodnotaDo80",
                                       "%HodnotaDo100", "%HodnotaDo120", "%HodnotaDo150",
                                       "%HodnotaNad150"};

// Every occurrence, left to right; text inserted by this pass is not searched again.
void ReplaceAll(std::string& text, std::string_view key, std::string_view value) {
  if (key.empty()) return;
  std::size_t pos = text.find(key);
  if (pos == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  while (pos != std::string::npos) {
    out.append(text, from, pos - from);
    out.append(value);
    from = pos + key.size();
    pos = text.find(key, from);
  }
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

class Filler {
 public:
  Filler(std::string text, char separator) : text_(std::move(text)), separator_(separator) {}

  void Text(std::string_view key, std::string_view utf8) {
    std::size_t bad = 0;
    ReplaceAll(text_, key, Utf8ToCp1250(utf8, &bad));
    unmappable_ += bad;
  }
  void Number(std::string_view key, const char* format, double value) {
    Text(key, std::isfinite(value) ? FormatDouble(format, value, separator_) : std::string());
  }

  std::string& text() { return text_; }
  std::size_t unmappable() const { return unmappable_; }

 private:
  std::string text_;
  char separator_;
  std::size_t unmappable_ = 0;
};

std::string JoinLines(std::string_view bytes) {
  std::string joined;
  joined.reserve(bytes.size());
  ForEachLine(bytes, [&](std::string_view line) { joined.append(line); });
  return joined;
}

}  // namespace

std::filesystem::path LabelTemplatePath(const std::filesystem::path& pathMain) {
  return pathMain / "Kvem" / kLabelTemplateName;
}

std::filesystem::path LabelPicturePath(const std::filesystem::path& pathMain) {
  return pathMain / "Kvem" / kLabelPictureName;
}

std::filesystem::path LabelPicturePathFor(const std::filesystem::path& page) {
  std::filesystem::path picture = page;
  picture.replace_extension("gif");
  return picture;
}

std::string FillLabelTemplate(std::string_view templateBytes, const EnStData& d,
                              const BuildingData& building, std::string_view pictureName,
                              char separator, std::size_t* unmappable) {
  Filler f(JoinLines(templateBytes), separator);

  // 1. Identification.
  f.Text("%Provozovatel%", d.operatorName);
  f.Text("%ProvozovatelAdresa%", d.operatorAddress);
  f.Text("%ProvozovatelTelefon%", d.operatorPhone);
  f.Text("%ProvozovatelEmail%", d.operatorEmail);
  f.Text("%KatastralniCislo/KatastralniUzemi%", d.cadastralArea + " / " + d.cadastralNumber);
  f.Text("%DruhBudovy%", d.kind + " - " + d.kindDetail);
  f.Text("%Vlastnik%", d.owner);
  f.Text("%VlastnikAdresa%", d.ownerAddress);
  f.Text("%VlastnikTelefon%", d.ownerPhone);
  f.Text("%VlastnikEmail%", d.ownerEmail);

  // 2. Characteristics.
  f.Number("%ObjemBudovy%", "%.1f", d.volume);
  f.Number("%PlochaBudovy%", "%.1f", d.area);
  f.Number("%PlochaKuPlose%", "%.8f", d.aToV);
  f.Number("%VnitrniTeplota%", "%.0f", d.thetaI);
  f.Text("%VenkovniTeplota%", FormatLong("%d", building.te));
  f.Number("%Soucinitel_h1%", "%0.3f", d.h1);
  f.Number("%Soucinitel_h2%", "%0.3f", d.h2);

  // 3. Construction rows, in each row A, U, Un, b, H.
  for (int row = 0; row < kConstructionRows; ++row) {
    for (int cell = 0; cell < kConstructionCells; ++cell) {
      const std::string key = std::string("%") + kCellPrefixes[cell] + kRowStems[row] + "%";
      f.Text(key, d.constructions[static_cast<std::size_t>(row)][static_cast<std::size_t>(cell)]);
    }
  }

  // 4. Totals and balance. The solar gains Ezs go to "EVZ" and the internal
  // gains Evz to "EZS": the keys are crossed, as the label always had them.
  f.Number("%A_celkem%", "%0.3f", d.sumA);
  f.Number("%H_celkem%", "%0.3f", d.ht);
  f.Number("%HodnotaHT%", "%0.3f", d.ht);
  f.Number("%HodnotaEVP%", "%0.3f", d.evp);
  f.Number("%HodnotaEVV%", "%0.3f", d.evv);
  f.Number("%HodnotaEVZ%", "%0.3f", d.ezs);
  f.Number("%HodnotaEZS%", "%0.3f", d.evz);
  f.Number("%Hodnota_n%", "%0.3f", d.n);
  f.Number("%HodnotaER%", "%0.3f", d.er);

  // 5. Specific demand and the required value, per m3 or per m2.
  const bool perM3 = PerCubicMetre(d);
  f.Text("%KoncovkaE%", perM3 ? "v" : "a");
  f.Text("%JednotkaE%", perM3 ? "kWh/m3.a" : "kWh/m2.a");
  f.Number("%HodnotaE%", "%0.3f", d.ev);
  f.Number("%HodnotaEPP%", "%0.3f", RequiredValue(d));

  // 6. and 7. Verdict, SEN and the classification block.
  const bool rated = HasDefinedRating(d) && std::isfinite(d.sen);
  f.Text("%BudovaSplnujeNesplnuje%", rated ? VerdictFor(d.sen) : std::string_view());
  f.Number("%HodnataSEN%", "%0.1f", rated ? d.sen : NAN);
  const int found = rated ? ClassIndex(d.sen) : -1;
  for (int c = 0; c < 7; ++c) {
    if (c == found) {
      // Without the closing percent sign: the template's own stays behind the number.
      f.Number(kClassKeys[c], "%0.1f", d.sen);
      f.Text("%HodnotaKlasifikace%", std::string(1, ClassLetter(d.sen)));
    } else {
      f.Text(std::string(kClassKeys[c]) + "%", "");
    }
  }
  if (found < 0) f.Text("%HodnotaKlasifikace%", "");

  // 8. Date, firm, preparer and, last, the picture.
  f.Text("%HodnotaDatum%", building.date);
  f.Text("%HodnotaZpracovatel%", d.firm);
  f.Text("%HodnotaICO%", d.ico);
  f.Text("%HodnotaZpracoval%", building.preparedBy);
  f.Text(kPictureReference, pictureName);

  if (unmappable) *unmappable = f.unmappable();
  return std::move(f.text());
}

bool GenerateLabelPage(const std::filesystem::path& page, const std::filesystem::path& templatePath,
                       const EnStData& data, const BuildingData& building,
                       std::string_view pictureName, char separator, Messenger& messenger,
                       ProgramLauncher* viewer, std::string* writeError) {
  std::string templateBytes;
  if (!ReadWholeFile(templatePath, templateBytes)) {
    messenger.Show(kTemplateMissingText, kLabelErrorCaption, Icon::Stop);
    return false;
  }
  std::size_t unmappable = 0;
  const std::string out =
      FillLabelTemplate(templateBytes, data, building, pictureName, separator, &unmappable);
  if (!WriteFileAtomically(page, out, writeError)) return false;
  if (unmappable > 0) {
    messenger.Show(std::to_string(unmappable) +
                       " character(s) of the label cannot be stored in the page's code page "
                       "(Windows-1250) and were written as \"?\".",
                   kLabelNoticeCaption, Icon::Information);
  }
  if (viewer) viewer->OpenWithDefaultProgram(page.string());
  return true;
}

bool SaveLabelPage(EnergyLabelState& state, const BuildingData& building,
                   const std::filesystem::path& pathMain, const std::filesystem::path& page,
                   char separator, Messenger& messenger, ProgramLauncher* viewer,
                   const std::filesystem::path& templatePath, std::string* writeError) {
  const std::filesystem::path picture = LabelPicturePathFor(page);
  state.pictureName = picture.filename().string();
  std::string pictureBytes;
  if (ReadWholeFile(LabelPicturePath(pathMain), pictureBytes)) {
    WriteFileAtomically(picture, pictureBytes);  // a failed copy is ignored
  }
  return GenerateLabelPage(page, templatePath.empty() ? LabelTemplatePath(pathMain) : templatePath,
                           state.data, building, state.pictureName, separator, messenger, viewer,
                           writeError);
}

}  // namespace kvem
