#include "tables/standard_tables.h"

#include "platform/numbers.h"

namespace kvem {

std::string FormatTableName(std::string_view pattern, std::string_view suffix) {
  std::string name(pattern);
  const std::size_t at = name.find("%s");
  if (at != std::string::npos) name.replace(at, 2, suffix);
  return name;
}

std::optional<BuildingType> BuildingTypeOf(int code) {
  if (code < 1 || code > kBuildingTypeCount) return std::nullopt;
  return kBuildingTypes[static_cast<std::size_t>(code - 1)];
}

StandardTableNames StandardTableNames::ForSuffix(std::string_view suffix) {
  StandardTableNames n;
  n.suffix = std::string(suffix);
  n.outdoorTemperatures = FormatTableName("Kvem_Te.%s.dbf", suffix);
  n.walls = FormatTableName("Kvem_StK.%s.dbf", suffix);
  n.openings = FormatTableName("Kvem_OtK.%s.dbf", suffix);
  n.joints = FormatTableName("Kvem_OtI.%s.dbf", suffix);
  n.openingCatalogue = FormatTableName("Kvem_Ot.%s.dbf", suffix);
  n.floorHeating = FormatTableName("Kvem_PoUp.%s.dbf", suffix);
  for (std::size_t i = 0; i < kBuildingTypes.size(); ++i) {
    n.indoorTemperatures[i] = FormatTableName(kBuildingTypes[i].indoorTablePattern, suffix);
  }
  return n;
}

std::string StandardTableNames::IndoorTable(int code) const {
  if (code < 1 || code > kBuildingTypeCount) return {};
  return indoorTemperatures[static_cast<std::size_t>(code - 1)];
}

double ReadTableDecimal(std::string_view text, char userSeparator) {
  std::string t(text);
  for (char& c : t) {
    if (c == '.' || c == ',') c = userSeparator;
  }
  return ParseDouble(t, userSeparator);
}

bool ChoiceList::Load(const std::filesystem::path& dataDirectory, std::string_view fileName,
                      Messenger& messenger) {
  return Load(dataDirectory / std::string(fileName), messenger);
}

bool ChoiceList::Load(const std::filesystem::path& file, Messenger& messenger) {
  table_ = DbfTable();
  return ReadDbfTable(file, table_, messenger);
}

std::vector<std::string> ChoiceList::ListedTexts() const {
  std::vector<std::string> texts;
  texts.reserve(size());
  for (std::size_t p = 0; p < size(); ++p) texts.push_back(table_.Text(p, standard_field::kListed));
  return texts;
}

std::string ChoiceList::Field(std::size_t p, int k) const {
  if (p >= size() || k < 1 || k > table_.fieldCount()) return {};
  return table_.Text(p, k);
}

double ChoiceList::Number(std::size_t p, int k, char userSeparator) const {
  return ReadTableDecimal(Field(p, k), userSeparator);
}

namespace {

// The data directory as a text that ends in a separator, as the command
// lines join it with a file name.
std::string DirectoryText(const std::filesystem::path& dataDirectory) {
  std::string text = dataDirectory.string();
  if (!text.empty() && text.back() != '/') text.push_back('/');
  return text;
}

}  // namespace

std::string TableEditorCommandLine(int commandId, const std::filesystem::path& dataDirectory,
                                   const StandardTableNames& names) {
  const std::string* table = nullptr;
  switch (commandId) {
    case kCommandEditWalls:
      table = &names.walls;
      break;
    case kCommandEditOpenings:
      table = &names.openings;
      break;
    case kCommandEditJoints:
      table = &names.joints;
      break;
    case kCommandEditOpeningTypes:
      table = &names.openingCatalogue;
      break;
    case kCommandEditFloorHeating:
      table = &names.floorHeating;
      break;
    case kCommandEditOutdoorTemperatures:
      table = &names.outdoorTemperatures;
      break;
    default:
      return {};
  }
  const std::string dir = DirectoryText(dataDirectory);
  return "\"" + dir + "Ptab_" + names.suffix + "\" \"" + dir + *table + "\"";
}

void StartTableEditor(int commandId, const std::filesystem::path& dataDirectory,
                      const StandardTableNames& names, ProgramLauncher& launcher) {
  const std::string line = TableEditorCommandLine(commandId, dataDirectory, names);
  if (!line.empty()) launcher.StartCommandLine(line);
}

}  // namespace kvem
