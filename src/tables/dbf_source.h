// The reviewable text form of a dBase table, from which the installation's
// tables are built and in which an engineer can keep a table without a dBase
// tool:
//
//   # Design outdoor temperatures (lines starting with '#' are comments)
//   MISTO:C:30:0,VYSKA:N:5:0,TE:N:4:0,VITR:C:3:0
//   Praha,180,-12,no
//   "Brno, Tuřany",230,-12,no
//
// The first line that is not a comment lists the fields, one cell a field,
// NAME:TYPE:LENGTH:DECIMALS (type C, N, F, D or L). Every following line is
// one record, RFC 4180 CSV in UTF-8 (a cell with a comma, a quote or a line
// end is quoted, a quote inside doubled); numbers carry a decimal point.
// Empty lines are skipped.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/messenger.h"
#include "tables/dbf.h"

namespace kvem {

// Parses source text; on failure `why` names the line (from 1) and what is wrong.
bool ParseDbfSource(std::string_view text, DbfTable& table, std::string* why);

// Reads a source file; every failure is shown ("Kvem - error:", stop icon).
bool ReadDbfSource(const std::filesystem::path& file, DbfTable& table, Messenger& messenger);

// The source text of a table (field line and records, no comments), which
// ParseDbfSource reads back to the same table.
std::string FormatDbfSource(const DbfTable& table);

}  // namespace kvem
