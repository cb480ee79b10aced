#include "label/label_json.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "platform/files.h"

namespace kvem {
namespace {

using Json = nlohmann::json;

// A record is flat; deeper nesting is refused before parsing so that no file
// can drive the parser or the destructor into deep recursion.
constexpr int kMaxDepth = 16;

bool DepthWithin(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return false;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return true;
}

class Reader {
 public:
  explicit Reader(std::string& why) : why_(why) {}

  // The member or nullptr when missing or null.
  const Json* Member(const Json& object, const char* name) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) return nullptr;
    return &*it;
  }

  bool Text(const Json& object, const char* name, std::string& out) {
    const Json* value = Member(object, name);
    if (!value) return true;
    if (!value->is_string()) return Fail(std::string("\"") + name + "\" must be a text");
    out = value->get<std::string>();
    return true;
  }

  bool Number(const Json& object, const char* name, double& out) {
    const Json* value = Member(object, name);
    if (!value) return true;
    if (!value->is_number()) return Fail(std::string("\"") + name + "\" must be a number");
    const double v = value->get<double>();
    if (!std::isfinite(v)) return Fail(std::string("\"") + name + "\" is beyond the number range");
    out = v;
    return true;
  }

  bool WholeNumber(const Json& object, const char* name, std::int32_t& out, bool allowBool) {
    const Json* value = Member(object, name);
    if (!value) return true;
    if (allowBool && value->is_boolean()) {
      out = value->get<bool>() ? 1 : 0;
      return true;
    }
    const std::string bad = std::string("\"") + name + "\" must be a whole number";
    if (!value->is_number()) return Fail(bad);
    const double v = value->get<double>();
    if (!std::isfinite(v) || v != std::floor(v) ||
        v < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        v > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
      return Fail(bad);
    }
    out = static_cast<std::int32_t>(v);
    return true;
  }

  bool Constructions(const Json& object, ConstructionTable& table) {
    const Json* rows = Member(object, "constructions");
    if (!rows) return true;
    const std::string shape =
        "\"constructions\" must be a list of at most 10 rows of at most 5 cell texts "
        "(Ai, Ui, UN, bi, Hu)";
    if (!rows->is_array() || rows->size() > static_cast<std::size_t>(kConstructionRows)) {
      return Fail(shape);
    }
    for (std::size_t r = 0; r < rows->size(); ++r) {
      const Json& row = (*rows)[r];
      if (row.is_null()) continue;
      if (!row.is_array() || row.size() > static_cast<std::size_t>(kConstructionCells)) {
        return Fail(shape);
      }
      for (std::size_t c = 0; c < row.size(); ++c) {
        if (row[c].is_null()) continue;
        if (!row[c].is_string()) {
          return Fail("construction row " + std::to_string(r + 1) + ", cell " +
                      std::to_string(c + 1) + " must be a text");
        }
        table[r][c] = row[c].get<std::string>();
      }
    }
    return true;
  }

  bool Fail(std::string why) {
    why_ = std::move(why);
    return false;
  }

 private:
  std::string& why_;
};

bool ReadRecord(const Json& root, EnStData& d, BuildingData& b, std::string& why) {
  Reader r(why);
  if (!root.is_object()) return r.Fail("the file is not a JSON object");
  const auto label = root.find("label");
  if (label == root.end() || !label->is_object()) return r.Fail("it has no \"label\" object");
  if (const Json* project = r.Member(root, "project")) {
    if (!project->is_object()) return r.Fail("\"project\" must be an object");
    if (!r.WholeNumber(*project, "Te", b.te, false) || !r.Text(*project, "date", b.date) ||
        !r.Text(*project, "prepared_by", b.preparedBy)) {
      return false;
    }
  }
  const Json& l = *label;
  const std::pair<const char*, std::string*> texts[] = {
      {"kind", &d.kind},
      {"kind_detail", &d.kindDetail},
      {"operator", &d.operatorName},
      {"operator_address", &d.operatorAddress},
      {"operator_phone", &d.operatorPhone},
      {"operator_email", &d.operatorEmail},
      {"cadastral_area", &d.cadastralArea},
      {"cadastral_number", &d.cadastralNumber},
      {"owner", &d.owner},
      {"owner_address", &d.ownerAddress},
      {"owner_phone", &d.ownerPhone},
      {"owner_email", &d.ownerEmail},
      {"firm", &d.firm},
      {"ico", &d.ico},
      {"storey_flag", &d.storeyFlag},
  };
  for (const auto& [name, field] : texts) {
    if (!r.Text(l, name, *field)) return false;
  }
  const std::pair<const char*, double*> numbers[] = {{"V", &d.volume},
                                                     {"A", &d.area},
                                                     {"theta_i", &d.thetaI},
                                                     {"Af", &d.floorArea},
                                                     {"Evz", &d.evz}};
  for (const auto& [name, field] : numbers) {
    if (!r.Number(l, name, *field)) return false;
  }
  std::int32_t manual = d.manualEvz;
  if (!r.WholeNumber(l, "manual_Evz", manual, true)) return false;
  d.manualEvz = manual;
  return r.Constructions(l, d.constructions);
}

}  // namespace

bool ParseLabelJson(std::string_view text, std::string_view source, EnStData& data,
                    BuildingData& building, Messenger& messenger) {
  const std::string prefix = "'" + std::string(source) + "' is not a label record: ";
  if (!DepthWithin(text, kMaxDepth)) {
    messenger.Show(prefix + "it is nested deeper than a label record can be", kLabelReadCaption,
                   Icon::Warning);
    return false;
  }
  Json root;
  try {
    root = Json::parse(text.begin(), text.end());
  } catch (const Json::exception& e) {
    messenger.Show(prefix + "it is not valid JSON (" + e.what() + ")", kLabelReadCaption,
                   Icon::Warning);
    return false;
  }
  EnStData fresh;
  BuildingData header;
  std::string why;
  bool ok = false;
  try {
    ok = ReadRecord(root, fresh, header, why);
  } catch (const Json::exception& e) {
    why = e.what();
  }
  if (!ok) {
    messenger.Show(prefix + why, kLabelReadCaption, Icon::Warning);
    return false;
  }
  data = std::move(fresh);
  building.te = header.te;
  building.date = std::move(header.date);
  building.preparedBy = std::move(header.preparedBy);
  return true;
}

bool ReadLabelJson(const std::filesystem::path& file, EnStData& data, BuildingData& building,
                   Messenger& messenger) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(file, bytes, &error)) {
    messenger.Show("Cannot read '" + file.string() + "': " + error, kLabelReadCaption,
                   Icon::Warning);
    return false;
  }
  return ParseLabelJson(bytes, file.string(), data, building, messenger);
}

}  // namespace kvem
