#include "cli/cli_common.h"

#include <cstdio>

#include "platform/locale.h"

namespace kvem::cli {

Run::Run(const Globals& globals) : messenger_(stderr) {
  app_ = std::make_unique<Application>(Settings::Open(globals.settingsFile), messenger_,
                                       DecimalSeparatorFromEnvironment());
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

}  // namespace kvem::cli
