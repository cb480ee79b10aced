#include "tables/text_lines.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/encoding.h"

namespace kvem {

namespace {

constexpr std::size_t kBlockSize = 2048;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string CannotOpenFileText(const std::filesystem::path& file) {
  return "\nCann't open file\n'" + file.string() + "' !";
}

std::string NtyRadek(const std::filesystem::path& file, long n, Messenger& messenger) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file.c_str(), "rb"));
  if (!f) {
    messenger.Show(CannotOpenFileText(file), kTableErrorCaption, Icon::Stop);
    return {};
  }
  if (n < 1) return {};

  // The line being collected, kept to the working buffer's size: bytes
  // beyond the limit are dropped, so a long line costs no more memory.
  std::string line;
  line.reserve(kTextLineLimit);
  long count = 0;
  std::array<char, kBlockSize> block;
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), f.get());
    if (got == 0) break;
    std::size_t pos = 0;
    while (pos < got) {
      const char* start = block.data() + pos;
      const void* nl = std::memchr(start, '\n', got - pos);
      const std::size_t end =
          nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - block.data()) : got;
      if (line.size() < kTextLineLimit) {
        line.append(start, std::min(end - pos, kTextLineLimit - line.size()));
      }
      if (!nl) {
        pos = got;
        break;
      }
      if (++count == n) {
        // Text mode on Windows turns "\r\n" into "\n"; files written there read the same here.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return Cp1250ToUtf8(line);
      }
      line.clear();
      pos = end + 1;
    }
  }
  return {};
}

}  // namespace kvem
