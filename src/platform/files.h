// Whole-file reading and atomic replacement. A save never leaves a half-written
// file behind: the bytes go to a temporary file beside the target, are flushed
// to disk, and the temporary file is renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kvem {

// Reads the whole file into `bytes`; false (with a reason) when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                   std::string* error = nullptr);

// Replaces `path` with `bytes` atomically. An existing file keeps its
// permissions. On failure the previous file is untouched and no temporary file
// is left behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

// Splits text into lines at "\n", removing one "\r" before it (files travel
// between Windows and Linux). A last line without a line end is kept.
template <typename Fn>
void ForEachLine(std::string_view text, Fn&& fn) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    const bool last = end == std::string_view::npos;
    if (last) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    fn(line);
    pos = last ? end : end + 1;
  }
}

}  // namespace kvem
