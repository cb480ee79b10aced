// "Tlak_Pos.txt", the text report of the pressure evaluation, and the
// machine-readable CSV of the same results.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/messenger.h"
#include "pressure/network.h"

namespace kvem {

class PressureEvaluation;

inline constexpr std::string_view kPressureReportName = "Tlak_Pos.txt";

// The report as UTF-8 with "\n" line ends: "Created=<created>", the supply
// and the return sections, the heater items. Numbers carry `separator`.
// The Write form hands it to `sink` in pieces of about a megabyte.
void WritePressureReportText(std::string_view created, const CPrivodTelesa& supply,
                             const CPrivodTelesa& ret, const CPrivodTelesa& items,
                             std::string_view drawingKind, char separator,
                             const std::function<void(std::string_view)>& sink);
std::string PressureReportText(std::string_view created, const CPrivodTelesa& supply,
                               const CPrivodTelesa& ret, const CPrivodTelesa& items,
                               std::string_view drawingKind, char separator);

// The same report as the file holds it (Windows-1250, "\r\n"), formed in
// pieces and written atomically to `file`. "cosi=%s" (caption "Kvem -
// error") when it cannot be written; a notice counts the characters written
// as "?". False when the file was not written.
bool WritePressureReportFile(const std::filesystem::path& file, std::string_view created,
                             const CPrivodTelesa& supply, const CPrivodTelesa& ret,
                             const CPrivodTelesa& items, std::string_view drawingKind,
                             char separator, Messenger& messenger);

// Replaces the file atomically with `bytes`, with the same messages.
bool WritePressureReport(const std::filesystem::path& file, std::string_view bytes,
                         std::size_t unmappable, Messenger& messenger);

// The local time as the report's first line shows it: "%Y-%m-%d %H:%M:%S".
std::string LocalTimeText();

// Three blocks: every section of both networks, the heater items, and one
// summary row. Doubles as "%.17g", always with a decimal point.
// The CSV is handed to `sink` in pieces of about a megabyte.
void WritePressureCsv(const PressureEvaluation& evaluation,
                      const std::function<void(std::string_view)>& sink);
std::string PressureCsv(const PressureEvaluation& evaluation);

}  // namespace kvem
