#include "app/application.h"

#include <system_error>

#include "platform/files.h"

namespace kvem {

std::filesystem::path DataDirectoryOf(const std::string& pathMain) {
  return std::filesystem::path(pathMain) / "Kvem" / "Data";
}

Application::Application(Settings settings, Messenger& messenger, char decimalSeparator)
    : settings_(std::move(settings)),
      messenger_(messenger),
      decimalSeparator_(decimalSeparator),
      languageSuffix_(settings_.ReadMain(kLanguageVersion)),
      dataDirectory_(DataDirectoryOf(settings_.ReadMain(kPathMain))),
      cadKind_(settings_.ReadCadKind()) {}

std::filesystem::path Application::MainPath(std::string_view name) const {
  return std::filesystem::path(settings_.ReadMain(name));
}

bool Application::SaveOnExit(std::string* error) {
  settings_.WriteCadKind(cadKind_);
  return settings_.Flush(error);
}

namespace {

// Without a CAD program nobody names a drawing, and the hand-over to the
// drawing's room table has nowhere to go. Like a CAD program with one drawing
// open, the set-up names drawing 1 of the drawing project "Kvem" (line 3 of
// epc_pr1.ini, line 2 of epc_pr2.ini) when neither file exists; files a CAD
// program wrote are never touched.
void WriteDrawingInformationStandIn(const std::string& tmpDir) {
  if (tmpDir.empty()) return;
  const std::filesystem::path first = std::filesystem::path(tmpDir) / "epc_pr1.ini";
  const std::filesystem::path second = std::filesystem::path(tmpDir) / "epc_pr2.ini";
  std::error_code ec;
  if (std::filesystem::exists(first, ec) || std::filesystem::exists(second, ec)) return;
  WriteFileAtomically(first, "\n\nKvem\n\n\n\n\n\n\n\n\n\n");
  WriteFileAtomically(second, "\n1\n");
}

}  // namespace

SetupResult RunSetup(Settings& settings, const std::filesystem::path& dataTree,
                     const std::filesystem::path& home) {
  SetupResult result;
  const std::filesystem::path base = home / "Kvem";
  const std::pair<std::string_view, std::string> defaults[] = {
      {kPathMain, dataTree.string()},
      {kPathData, (dataTree / "Katalogy").string()},
      {kPathWorking, (base / "Working").string()},
      {kPathTmp, (base / "Tmp").string()},
      {kPathProject, (base / "Projects").string()},
      {kLanguageVersion, "CZ"},
  };
  for (const auto& [name, value] : defaults) {
    if (!settings.HasMain(name)) settings.WriteMainForSetup(name, value);
  }
  if (!settings.Flush(&result.error)) {
    result.ok = false;
    return result;
  }
  for (std::string_view name : {kPathWorking, kPathTmp, kPathProject}) {
    const std::string dir = settings.ReadMain(name);
    std::error_code ec;
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    if (ec) {
      result.ok = false;
      result.error = "cannot create the folder " + dir + ": " + ec.message();
    }
  }
  WriteDrawingInformationStandIn(settings.ReadMain(kPathTmp));
  for (std::string_view name : kMainValueNames) {
    result.values.emplace_back(std::string(name), settings.ReadMain(name));
  }
  return result;
}

}  // namespace kvem
