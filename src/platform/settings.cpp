#include "platform/settings.h"

#include <QSettings>
#include <QString>
#include <cstdlib>

#include "platform/encoding.h"
#include "platform/numbers.h"

namespace kvem {
namespace {

constexpr std::string_view kOrganisation = "Norda 61";
constexpr std::string_view kMainApplication = "XVektraPexon";
constexpr std::string_view kProfileApplication = "KvemPexon";
constexpr std::string_view kMainGroup = "Main";
constexpr std::string_view kSettingsGroup = "Settings";
constexpr std::string_view kCadKindName = "Vektra";
constexpr std::string_view kRecentGroup = "Recent File List";

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Key(std::string_view group, std::string_view name) {
  std::string key(group);
  key.push_back('/');
  key.append(name);
  return key;
}

class QtSettingsStore : public SettingsStore {
 public:
  explicit QtSettingsStore(const std::filesystem::path& file)
      : settings_(QString::fromStdString(file.string()), QSettings::IniFormat) {}
  explicit QtSettingsStore(std::string_view application)
      : settings_(QSettings::IniFormat, QSettings::UserScope, Q(kOrganisation), Q(application)) {}

  std::optional<std::string> Read(std::string_view group, std::string_view name) const override {
    const QString key = Q(Key(group, name));
    if (!settings_.contains(key)) return std::nullopt;
    return settings_.value(key).toString().toStdString();
  }
  void Write(std::string_view group, std::string_view name, std::string_view value) override {
    settings_.setValue(Q(Key(group, name)), Q(value));
  }
  void Remove(std::string_view group, std::string_view name) override {
    settings_.remove(Q(Key(group, name)));
  }
  bool Flush(std::string* error) override {
    settings_.sync();
    if (settings_.status() != QSettings::NoError) {
      if (error) *error = "cannot write the settings file " + Location();
      return false;
    }
    return true;
  }
  std::string Location() const override { return settings_.fileName().toStdString(); }

 private:
  mutable QSettings settings_;
};

}  // namespace

std::optional<std::string> MemorySettingsStore::Read(std::string_view group,
                                                     std::string_view name) const {
  const auto it = values_.find(Key(group, name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(std::string_view group, std::string_view name,
                                std::string_view value) {
  values_[Key(group, name)] = std::string(value);
}

void MemorySettingsStore::Remove(std::string_view group, std::string_view name) {
  values_.erase(Key(group, name));
}

std::unique_ptr<SettingsStore> MakeQtSettingsStore(const std::filesystem::path& iniFile) {
  return std::make_unique<QtSettingsStore>(iniFile);
}

std::unique_ptr<SettingsStore> MakeQtSettingsStore(std::string_view application) {
  return std::make_unique<QtSettingsStore>(application);
}

Settings::Settings(std::unique_ptr<SettingsStore> main, std::unique_ptr<SettingsStore> profile)
    : main_(std::move(main)), profile_(std::move(profile)) {}

Settings Settings::Open(const std::filesystem::path& overrideFile) {
  std::filesystem::path file = overrideFile;
  if (file.empty()) {
    if (const char* env = std::getenv("KVEM_SETTINGS"); env && *env) file = env;
  }
  if (!file.empty()) return Settings(MakeQtSettingsStore(file), MakeQtSettingsStore(file));
  return Settings(MakeQtSettingsStore(kMainApplication), MakeQtSettingsStore(kProfileApplication));
}

Settings Settings::InMemory() {
  return Settings(std::make_unique<MemorySettingsStore>(), std::make_unique<MemorySettingsStore>());
}

std::string Settings::ReadMain(std::string_view name) const {
  const auto value = main_->Read(kMainGroup, name);
  if (!value) return {};
  return Utf8Left(*value, kRegistryTextLimit);
}

bool Settings::HasMain(std::string_view name) const {
  return main_->Read(kMainGroup, name).has_value();
}

void Settings::WriteMainForSetup(std::string_view name, std::string_view value) {
  main_->Write(kMainGroup, name, value);
}

int Settings::ReadCadKind() const {
  const auto value = profile_->Read(kSettingsGroup, kCadKindName);
  if (!value || value->empty()) return kDefaultCadKind;
  return static_cast<int>(ParseInt32(*value));
}

void Settings::WriteCadKind(int kind) {
  profile_->Write(kSettingsGroup, kCadKindName, std::to_string(kind));
}

std::vector<std::string> Settings::RecentFiles() const {
  std::vector<std::string> files;
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const auto value = profile_->Read(kRecentGroup, "File" + std::to_string(i));
    if (value && !value->empty()) files.push_back(*value);
  }
  return files;
}

void Settings::SetRecentFiles(const std::vector<std::string>& files) {
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const std::string name = "File" + std::to_string(i);
    if (static_cast<std::size_t>(i) <= files.size()) {
      profile_->Write(kRecentGroup, name, files[static_cast<std::size_t>(i - 1)]);
    } else {
      profile_->Remove(kRecentGroup, name);
    }
  }
}

bool Settings::Flush(std::string* error) {
  return main_->Flush(error) && profile_->Flush(error);
}

}  // namespace kvem
