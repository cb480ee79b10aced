// Where Kvem keeps its settings. The names are those of the Windows registry
// the program grew up with, so a person who knows one knows the other:
//   "Software\Norda 61\XVektraPexon\Main"  PathMain, PathData, PathWorking,
//                                          PathTmp, PathProject, JazykovaVerze
//   the application's own profile          "Settings"/"Vektra" (CAD kind),
//                                          "Recent File List"/"File1".."File4"
// On Linux both are INI files of QSettings under the user's config folder
// ("Norda 61/XVektraPexon.conf" and "Norda 61/KvemPexon.conf"); one file given
// with KVEM_SETTINGS or --settings holds both instead, which tests use.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvem {

inline constexpr std::string_view kMainKey = "Software\\Norda 61\\XVektraPexon\\Main";
inline constexpr std::string_view kPathMain = "PathMain";
inline constexpr std::string_view kPathData = "PathData";
inline constexpr std::string_view kPathWorking = "PathWorking";
inline constexpr std::string_view kPathTmp = "PathTmp";
inline constexpr std::string_view kPathProject = "PathProject";
inline constexpr std::string_view kLanguageVersion = "JazykovaVerze";
inline constexpr std::string_view kMainValueNames[] = {kPathMain, kPathData,    kPathWorking,
                                                       kPathTmp,  kPathProject, kLanguageVersion};

inline constexpr int kDefaultCadKind = 120;
inline constexpr std::size_t kRegistryTextLimit = 100;
inline constexpr int kRecentFileCount = 4;

// A group/name/value store. Implementations: QSettings on disk, a map in memory.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(std::string_view group, std::string_view name) const = 0;
  virtual void Write(std::string_view group, std::string_view name, std::string_view value) = 0;
  virtual void Remove(std::string_view group, std::string_view name) = 0;
  // Writes pending changes to disk; false with a reason when that failed.
  virtual bool Flush(std::string* error) = 0;
  // Where the values live, for people ("/home/x/.config/Norda 61/KvemPexon.conf").
  virtual std::string Location() const = 0;
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view value) override;
  void Remove(std::string_view group, std::string_view name) override;
  bool Flush(std::string*) override { return true; }
  std::string Location() const override { return "(memory)"; }

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

// QSettings-backed store (QtCore only). With a file: that INI file; without:
// the user's native settings of organisation "Norda 61" and `application`.
std::unique_ptr<SettingsStore> MakeQtSettingsStore(const std::filesystem::path& iniFile);
std::unique_ptr<SettingsStore> MakeQtSettingsStore(std::string_view application);

// The program's view of its settings: the "Main" key (read-only for the
// program; only the set-up step writes defaults) and the application profile.
class Settings {
 public:
  Settings(std::unique_ptr<SettingsStore> main, std::unique_ptr<SettingsStore> profile);

  // The user's settings, or the single file `overrideFile` when not empty,
  // or the file named by KVEM_SETTINGS when that is set.
  static Settings Open(const std::filesystem::path& overrideFile = {});
  static Settings InMemory();

  // A value of the "Main" key by the registry rule: at most 100 characters,
  // an empty text when the value (or the key) is absent.
  std::string ReadMain(std::string_view name) const;
  bool HasMain(std::string_view name) const;
  // Only for the set-up step: the program's normal runs never write "Main".
  void WriteMainForSetup(std::string_view name, std::string_view value);

  int ReadCadKind() const;  // "Settings"/"Vektra", default 120
  void WriteCadKind(int kind);

  std::vector<std::string> RecentFiles() const;  // most recent first, at most 4
  void SetRecentFiles(const std::vector<std::string>& files);

  bool Flush(std::string* error);
  std::string MainLocation() const { return main_->Location(); }
  std::string ProfileLocation() const { return profile_->Location(); }

 private:
  std::unique_ptr<SettingsStore> main_;
  std::unique_ptr<SettingsStore> profile_;
};

}  // namespace kvem
