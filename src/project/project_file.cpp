#include "project/project_file.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/numbers.h"

namespace kvem {
namespace {

constexpr std::size_t kCodeLine = kCodeWidth;

class Writer {
 public:
  explicit Writer(char separator) : separator_(separator) { out_.reserve(1 << 16); }

  void Text(std::string_view text, std::size_t width) {
    out_ += Utf8Left(text, width);
    out_ += '\n';
  }
  void Long(const char* format, long value) {
    out_ += FormatLong(format, value);
    out_ += '\n';
  }
  void Double(const char* format, double value) {
    out_ += FormatDouble(format, value, separator_);
    out_ += '\n';
  }
  std::string Take() { return std::move(out_); }

 private:
  char separator_;
  std::string out_;
};

// Hands out the lines of a text one by one and remembers where it stands.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> Next() {
    if (pos_ >= text_.size()) return std::nullopt;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++lineNumber_;
    return line;
  }
  int lineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int lineNumber_ = 0;
};

// Why a parse stopped, for the message.
struct ParseFailure {
  std::string what;
};

class Parser {
 public:
  Parser(std::string_view text, char separator) : lines_(text), separator_(separator) {}

  // Each returns false when the file has ended.
  bool Text(std::string& field, std::size_t width) {
    const auto line = lines_.Next();
    if (!line) return false;
    if (Utf8Length(*line) > width) {
      field = Utf8Left(*line, width);
      if (firstCutLine_ == 0) firstCutLine_ = lines_.lineNumber();
    } else {
      field.assign(line->data(), line->size());
    }
    return true;
  }
  bool Code(std::string& field) {
    const auto line = lines_.Next();
    if (!line) return false;
    field = Utf8Left(*line, kCodeLine);
    return true;
  }
  bool Int(std::int32_t& field) {
    const auto line = lines_.Next();
    if (!line) return false;
    field = ParseInt32(*line);
    return true;
  }
  bool Double(double& field) {
    const auto line = lines_.Next();
    if (!line) return false;
    field = ParseDouble(*line, separator_);
    return true;
  }
  int lineNumber() const { return lines_.lineNumber(); }
  int firstCutLine() const { return firstCutLine_; }

 private:
  LineReader lines_;
  char separator_;
  int firstCutLine_ = 0;
};

// Counts are stored as items + 1. A count below 1 means no items; a count
// beyond the capacity cannot be held and refuses the file.
bool NormaliseCount(std::int32_t& count, int slots) {
  if (count < 1) count = 1;
  return count <= slots;
}

std::string EndedMessage(std::string_view source, int lastLine) {
  return "The project file '" + std::string(source) + "' ends after line " +
         std::to_string(lastLine) +
         " before all its rooms, walls and openings are read.\nThe file is damaged; nothing was "
         "loaded.";
}

std::string CapacityMessage(std::string_view source, int line, std::string_view what, int most) {
  return "The project file '" + std::string(source) + "' gives at line " + std::to_string(line) +
         " more " + std::string(what) + " than a project can hold (at most " +
         std::to_string(most) + ").\nThe file is damaged; nothing was loaded.";
}

}  // namespace

std::string FormatProjectText(const Project& project, char decimalSeparator) {
  Writer w(decimalSeparator);
  const BuildingData& b = project.building;
  w.Text(b.projectName1, kBuildingTextWidth);
  w.Text(b.projectName2, kBuildingTextWidth);
  w.Text(b.buildingName1, kBuildingTextWidth);
  w.Text(b.buildingName2, kBuildingTextWidth);
  w.Text(b.preparedBy, kBuildingTextWidth);
  w.Text(b.date, kBuildingTextWidth);
  w.Text(b.jobOrderNumber, kBuildingTextWidth);
  w.Text(b.registrationNumber, kBuildingTextWidth);
  w.Text(b.note, kBuildingTextWidth);
  w.Long("%ld", b.te);
  w.Text(b.location, kBuildingTextWidth);
  w.Text(b.altitude, kShortTextWidth);
  w.Text(b.windyLandscape, kShortTextWidth);
  w.Long("%ld", b.b);
  w.Double("%1.1lf", b.p2);
  w.Text(b.buildingTypeText, kBuildingTextWidth);
  w.Long("%ld", b.buildingTypeCode);
  w.Text(b.indoorTemperatureTable, kPathWidth);
  const int roomCount = b.roomCount < 1 ? 1 : std::min(b.roomCount, kRoomSlots);
  w.Long("%-8d", roomCount);
  for (int r = 1; r < roomCount; ++r) {
    const Room& room = project.rooms[static_cast<std::size_t>(r)];
    w.Text(room.number, kRoomTextWidth);
    w.Text(room.name, kRoomTextWidth);
    w.Long("%8d", room.length);
    w.Long("%8d", room.width);
    w.Long("%8d", room.height);
    w.Long("%8d", room.ti);
    w.Long("%8d", room.doors);
    w.Long("%5d", room.airFlow);
    w.Text(room.cardinalPoint, kCardinalPointWidth);
    const int wallCount = room.wallCount < 1 ? 1 : std::min(room.wallCount, kWallSlots);
    w.Long("%-8d", wallCount);
    for (int wi = 1; wi < wallCount; ++wi) {
      const Wall& wall = room.walls[static_cast<std::size_t>(wi)];
      w.Long("%8d", wall.length);
      w.Long("%8d", wall.height);
      w.Long("%8d", wall.temperatureDifference);
      w.Double("%8f", wall.k);
      w.Text(wall.code, kCodeWidth);
      const int openingCount =
          wall.openingCount < 1 ? 1 : std::min(wall.openingCount, kOpeningSlots);
      w.Long("%-8d", openingCount);
      for (int o = 1; o < openingCount; ++o) {
        const Opening& op = wall.openings[static_cast<std::size_t>(o)];
        w.Long("%8d", op.width);
        w.Long("%8d", op.height);
        w.Double("%8f", op.k);
        w.Double("%8f", op.i);
        w.Long("%8d", op.jointLength);
        w.Long("%8d", op.count);
        w.Text(op.code, kCodeWidth);
      }
    }
  }
  return w.Take();
}

bool WriteProject(const Project& project, const std::filesystem::path& path, char decimalSeparator,
                  Messenger& messenger) {
  const std::string text = FormatProjectText(project, decimalSeparator);
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  std::size_t unmappable = 0;
  const std::string bytes = Utf8ToCp1250(crlf, &unmappable);
  if (!WriteFileAtomically(path, bytes)) {
    messenger.Show(kFileOpenFailed, kErrorCaption, Icon::Warning);
    return false;
  }
  if (unmappable > 0) {
    messenger.Show(std::to_string(unmappable) +
                       " character(s) of the project cannot be stored in the file's code page "
                       "(Windows-1250) and were written as \"?\".",
                   kNoticeCaption, Icon::Information);
  }
  return true;
}

bool ParseProjectText(Project& project, std::string_view text, char decimalSeparator,
                      std::string_view source, Messenger& messenger) {
  auto fresh = std::make_unique<Project>();
  Parser p(text, decimalSeparator);
  BuildingData& b = fresh->building;
  auto ended = [&] {
    messenger.Show(EndedMessage(source, p.lineNumber()), kErrorCaption, Icon::Warning);
    return false;
  };
  if (!p.Text(b.projectName1, kBuildingTextWidth) || !p.Text(b.projectName2, kBuildingTextWidth) ||
      !p.Text(b.buildingName1, kBuildingTextWidth) ||
      !p.Text(b.buildingName2, kBuildingTextWidth) || !p.Text(b.preparedBy, kBuildingTextWidth) ||
      !p.Text(b.date, kBuildingTextWidth) || !p.Text(b.jobOrderNumber, kBuildingTextWidth) ||
      !p.Text(b.registrationNumber, kBuildingTextWidth) || !p.Text(b.note, kBuildingTextWidth) ||
      !p.Int(b.te) || !p.Text(b.location, kBuildingTextWidth) ||
      !p.Text(b.altitude, kShortTextWidth) || !p.Text(b.windyLandscape, kShortTextWidth) ||
      !p.Int(b.b) || !p.Double(b.p2) || !p.Text(b.buildingTypeText, kBuildingTextWidth) ||
      !p.Int(b.buildingTypeCode) || !p.Text(b.indoorTemperatureTable, kPathWidth) ||
      !p.Int(b.roomCount)) {
    return ended();
  }
  if (!NormaliseCount(b.roomCount, kRoomSlots)) {
    messenger.Show(CapacityMessage(source, p.lineNumber(), "rooms", kMaxRooms), kErrorCaption,
                   Icon::Warning);
    return false;
  }
  for (int r = 1; r < b.roomCount; ++r) {
    Room& room = fresh->rooms[static_cast<std::size_t>(r)];
    if (!p.Text(room.number, kRoomTextWidth) || !p.Text(room.name, kRoomTextWidth) ||
        !p.Int(room.length) || !p.Int(room.width) || !p.Int(room.height) || !p.Int(room.ti) ||
        !p.Int(room.doors) || !p.Int(room.airFlow) ||
        !p.Text(room.cardinalPoint, kCardinalPointWidth) || !p.Int(room.wallCount)) {
      return ended();
    }
    if (!NormaliseCount(room.wallCount, kWallSlots)) {
      messenger.Show(CapacityMessage(source, p.lineNumber(), "walls in a room", kMaxWalls),
                     kErrorCaption, Icon::Warning);
      return false;
    }
    for (int w = 1; w < room.wallCount; ++w) {
      Wall& wall = room.walls[static_cast<std::size_t>(w)];
      if (!p.Int(wall.length) || !p.Int(wall.height) || !p.Int(wall.temperatureDifference) ||
          !p.Double(wall.k) || !p.Code(wall.code) || !p.Int(wall.openingCount)) {
        return ended();
      }
      if (!NormaliseCount(wall.openingCount, kOpeningSlots)) {
        messenger.Show(CapacityMessage(source, p.lineNumber(), "openings in a wall", kMaxOpenings),
                       kErrorCaption, Icon::Warning);
        return false;
      }
      for (int o = 1; o < wall.openingCount; ++o) {
        Opening& op = wall.openings[static_cast<std::size_t>(o)];
        if (!p.Int(op.width) || !p.Int(op.height) || !p.Double(op.k) || !p.Double(op.i) ||
            !p.Int(op.jointLength) || !p.Int(op.count) || !p.Code(op.code)) {
          return ended();
        }
      }
    }
  }

  project.building = std::move(fresh->building);
  project.rooms = std::move(fresh->rooms);
  project.state = ProjectState::HasData;
  if (p.firstCutLine() > 0) {
    messenger.Show("Some texts of '" + std::string(source) +
                       "' are longer than their fields and were shortened (the first at line " +
                       std::to_string(p.firstCutLine()) + ").",
                   kNoticeCaption, Icon::Information);
  }
  return true;
}

bool ReadProject(Project& project, const std::filesystem::path& path, char decimalSeparator,
                 Messenger& messenger) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || std::filesystem::is_directory(path)) {
    messenger.Show(kFileOpenFailed, kErrorCaption, Icon::Warning);
    return false;
  }
  return ParseProjectText(project, Cp1250ToUtf8(bytes), decimalSeparator, path.string(), messenger);
}

bool IsUnnamedPath(std::string_view path) {
  return EqualsIgnoreCase(path, kUnnamedPath);
}

std::string DocumentTitle(const Project& project) {
  if (IsUnnamedPath(project.path)) return project.path;
  return project.path + " - " + project.building.projectName1;
}

void NewDocument(Project& project) {
  project.path = std::string(kUnnamedPath);
}

bool OpenDocument(Project& project, const std::filesystem::path& path, char decimalSeparator,
                  Messenger& messenger) {
  if (!ReadProject(project, path, decimalSeparator, messenger)) return false;
  project.path = Utf8Left(path.string(), kPathWidth);
  return true;
}

bool SaveNeedsName(const Project& project) {
  return IsUnnamedPath(project.path);
}

bool SaveDocument(Project& project, char decimalSeparator, Messenger& messenger) {
  if (SaveNeedsName(project)) return false;
  return WriteProject(project, project.path, decimalSeparator, messenger);
}

bool SaveDocumentAs(Project& project, const std::filesystem::path& path, char decimalSeparator,
                    Messenger& messenger) {
  project.path = Utf8Left(path.string(), kPathWidth);
  return WriteProject(project, path, decimalSeparator, messenger);
}

}  // namespace kvem
