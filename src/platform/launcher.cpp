#include "platform/launcher.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kvem {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inQuotes = false;
  bool haveWord = false;
  for (char c : commandLine) {
    if (c == '"') {
      inQuotes = !inQuotes;
      haveWord = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      if (haveWord) words.push_back(word);
      word.clear();
      haveWord = false;
    } else {
      word.push_back(c);
      haveWord = true;
    }
  }
  if (haveWord) words.push_back(word);
  return words;
}

bool ProgramLauncher::StartCommandLine(const std::string& commandLine) {
  std::vector<std::string> words = SplitCommandLine(commandLine);
  if (words.empty()) return false;
  const std::string program = words.front();
  words.erase(words.begin());
  return StartDetached(program, words);
}

bool ProgramLauncher::OpenWithDefaultProgram(const std::string& path) {
  return StartDetached("xdg-open", {path});
}

bool ProcessLauncher::StartDetached(const std::string& program,
                                    const std::vector<std::string>& arguments) {
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), args);
}

}  // namespace kvem
