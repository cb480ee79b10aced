#include "platform/locale.h"

#include <QLocale>
#include <QString>
#include <cstdlib>
#include <string>

namespace kvem {

char DecimalSeparatorForLocale(std::string_view localeName) {
  std::string name(localeName);
  // Strip ".codeset" and "@modifier": QLocale wants "cs_CZ".
  if (const auto at = name.find('@'); at != std::string::npos) name.erase(at);
  if (const auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
  if (name.empty() || name == "C" || name == "POSIX") return '.';
  const QLocale locale(QString::fromStdString(name));
  if (locale.language() == QLocale::C) return '.';
  const QString point = locale.decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80)
    return static_cast<char>(point.at(0).unicode());
  return '.';
}

char DecimalSeparatorFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return DecimalSeparatorForLocale(value);
  }
  return '.';
}

}  // namespace kvem
