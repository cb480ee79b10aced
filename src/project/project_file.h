// The project file (*.kvm): one value per line in a fixed positional order,
// Windows-1250 text, CR LF line ends, numbers with the user's decimal
// separator. There is no signature or version; the reader trusts the order and
// the three counts.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/messenger.h"
#include "project/project.h"

namespace kvem {

inline constexpr std::string_view kErrorCaption = "Kvem - error";
inline constexpr std::string_view kNoticeCaption = "Kvem - notice";
inline constexpr std::string_view kFileOpenFailed = "File openning failed";

// The lines of the project file as UTF-8 text, each ended with "\n".
std::string FormatProjectText(const Project& project, char decimalSeparator);

// Writes the project to `path`, replacing the file atomically (a failed save
// never destroys the previous file). Characters Windows-1250 cannot hold are
// written as "?" and reported. False after "File openning failed".
bool WriteProject(const Project& project, const std::filesystem::path& path, char decimalSeparator,
                  Messenger& messenger);

// Reads `path` into a fresh project and takes it over only when the whole file
// was read: building data, rooms, state has-data. Results of the last
// calculation and the path are left alone. A file that cannot be opened gives
// "File openning failed"; a file that ends before its counts are satisfied, or
// whose counts exceed the project's capacity, is refused with a message naming
// the line; in both cases the project in memory is exactly as it was. Texts
// longer than their fields are cut and reported once.
bool ReadProject(Project& project, const std::filesystem::path& path, char decimalSeparator,
                 Messenger& messenger);

// Parses project text (UTF-8, LF or CR LF) as ReadProject does; `source` names
// the file in messages.
bool ParseProjectText(Project& project, std::string_view text, char decimalSeparator,
                      std::string_view source, Messenger& messenger);

// Document identity.
bool IsUnnamedPath(std::string_view path);  // "Nový" in any case
// "path - project name line 1"; the path alone for the unnamed project.
std::string DocumentTitle(const Project& project);

// The document commands that need no window. Each returns false after a message.
void NewDocument(Project& project);  // path "Nový"; the data stay
// Open: reads the file; on success the path becomes `path`. A file that cannot
// be read leaves the path and data as they were, so a later Save never
// overwrites the damaged file.
bool OpenDocument(Project& project, const std::filesystem::path& path, char decimalSeparator,
                  Messenger& messenger);
// Save: false without writing when the project is unnamed (the caller then
// asks for a name and calls SaveDocumentAs).
bool SaveNeedsName(const Project& project);
bool SaveDocument(Project& project, char decimalSeparator, Messenger& messenger);
bool SaveDocumentAs(Project& project, const std::filesystem::path& path, char decimalSeparator,
                    Messenger& messenger);

}  // namespace kvem
