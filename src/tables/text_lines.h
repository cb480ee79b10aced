// The n-th line of a small text file, as the CAD side's information files
// ("epc_pr1.ini", "epc_pr2.ini") and the pipe-network files are read.
#pragma once

#include <filesystem>
#include <string>

#include "platform/messenger.h"

namespace kvem {

// The working buffer of NtyRadek: a line is returned with at most this many
// bytes (a longer line is cut there; the lines after it are counted right).
inline constexpr std::size_t kTextLineLimit = 4095;

// Line `n` of `file`, counted from 1, without its line end ("\n", and a "\r"
// before it, since the files come from Windows), as UTF-8. An empty text when
// the file has fewer lines; a last line with no "\n" after it is never
// returned. A file that cannot be opened is reported ("\nCann't open file\n'%s' !",
// "Kvem - error:", stop icon) and gives an empty text.
std::string NtyRadek(const std::filesystem::path& file, long n, Messenger& messenger);

// The message every table and file opening shows when the file cannot be opened.
std::string CannotOpenFileText(const std::filesystem::path& file);
inline constexpr const char* kTableErrorCaption = "Kvem - error:";

}  // namespace kvem
