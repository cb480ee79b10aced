#include "tables/dbf_source.h"

#include <vector>

#include "platform/files.h"
#include "platform/numbers.h"
#include "tables/text_lines.h"

namespace kvem {

namespace {

// Splits RFC 4180 CSV into rows of cells. `lines` receives the line (from 1)
// on which each row starts. Comment and empty lines outside quotes are skipped.
bool SplitCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::vector<long>& lines, std::string* why) {
  std::size_t pos = 0;
  long line = 1;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;  // a byte-order mark some editors write
  while (pos < text.size()) {
    // Line-level decisions: comment or empty line.
    const std::size_t eol = text.find('\n', pos);
    std::string_view whole =
        text.substr(pos, eol == std::string_view::npos ? text.size() - pos : eol - pos);
    if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
    if (whole.empty() || whole.front() == '#') {
      pos = eol == std::string_view::npos ? text.size() : eol + 1;
      ++line;
      continue;
    }
    std::vector<std::string> row;
    std::string cell;
    const long startLine = line;
    bool quoted = false;
    bool afterQuote = false;  // a quoted cell ended; only a separator may follow
    for (;;) {
      if (pos >= text.size()) {
        if (quoted) {
          if (why) *why = "line " + std::to_string(startLine) + ": a quoted cell is not closed";
          return false;
        }
        row.push_back(std::move(cell));
        break;
      }
      const char c = text[pos++];
      if (quoted) {
        if (c == '"') {
          if (pos < text.size() && text[pos] == '"') {
            cell.push_back('"');
            ++pos;
          } else {
            quoted = false;
            afterQuote = true;
          }
        } else {
          if (c == '\n') ++line;
          cell.push_back(c);
        }
        continue;
      }
      if (c == ',') {
        row.push_back(std::move(cell));
        cell.clear();
        afterQuote = false;
      } else if (c == '\n' || (c == '\r' && pos < text.size() && text[pos] == '\n')) {
        if (c == '\r') ++pos;
        ++line;
        row.push_back(std::move(cell));
        break;
      } else if (afterQuote) {
        if (why) {
          *why = "line " + std::to_string(line) + ": text after the closing quote of a cell";
        }
        return false;
      } else if (c == '"' && cell.empty()) {
        quoted = true;
      } else {
        cell.push_back(c);
      }
    }
    rows.push_back(std::move(row));
    lines.push_back(startLine);
  }
  return true;
}

bool ParseFieldCell(const std::string& cell, DbfField& field, std::string* why) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = cell.find(':', start);
    parts.push_back(
        cell.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  auto number = [](const std::string& t, int& out) {
    if (t.empty() || t.size() > 4 || t.find_first_not_of("0123456789") != std::string::npos)
      return false;
    out = static_cast<int>(ParseLong(t));
    return true;
  };
  if (parts.size() != 4 || parts[1].size() != 1 || !number(parts[2], field.length) ||
      !number(parts[3], field.decimals)) {
    if (why) *why = "the field \"" + cell + "\" is not written as NAME:TYPE:LENGTH:DECIMALS";
    return false;
  }
  field.name = parts[0];
  field.type = parts[1][0];
  return true;
}

}  // namespace

bool ParseDbfSource(std::string_view text, DbfTable& table, std::string* why) {
  std::vector<std::vector<std::string>> rows;
  std::vector<long> lines;
  if (!SplitCsv(text, rows, lines, why)) return false;
  if (rows.empty()) {
    if (why) *why = "there is no field line (NAME:TYPE:LENGTH:DECIMALS,...)";
    return false;
  }
  std::vector<DbfField> fields;
  for (const std::string& cell : rows[0]) {
    DbfField field;
    std::string reason;
    if (!ParseFieldCell(cell, field, &reason)) {
      if (why) *why = "line " + std::to_string(lines[0]) + ": " + reason;
      return false;
    }
    fields.push_back(std::move(field));
  }
  DbfTable result;
  std::string reason;
  if (!DbfTable::Create(std::move(fields), result, &reason)) {
    if (why) *why = "line " + std::to_string(lines[0]) + ": " + reason;
    return false;
  }
  const std::size_t n = static_cast<std::size_t>(result.fieldCount());
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const std::string at = "line " + std::to_string(lines[r]) + ": ";
    if (rows[r].size() != n) {
      if (why) {
        *why = at + std::to_string(rows[r].size()) + " cells where the table has " +
               std::to_string(n) + " fields";
      }
      return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
      const DbfField& field = result.field(static_cast<int>(k + 1));
      if (!FieldAccepts(field, rows[r][k], &reason)) {
        if (why) *why = at + "field " + field.name + " \"" + rows[r][k] + "\": " + reason;
        return false;
      }
    }
    result.AddRecord(std::move(rows[r]));
  }
  table = std::move(result);
  return true;
}

bool ReadDbfSource(const std::filesystem::path& file, DbfTable& table, Messenger& messenger) {
  std::string text;
  if (!ReadWholeFile(file, text)) {
    messenger.Show(CannotOpenFileText(file), kTableErrorCaption, Icon::Stop);
    return false;
  }
  std::string why;
  if (!ParseDbfSource(text, table, &why)) {
    messenger.Show(file.string() + ", " + why, kTableErrorCaption, Icon::Stop);
    return false;
  }
  return true;
}

std::string FormatDbfSource(const DbfTable& table) {
  auto cell = [](std::string_view t) {
    if (t.find_first_of(",\"\r\n") == std::string_view::npos && (t.empty() || t.front() != '#')) {
      return std::string(t);
    }
    std::string out = "\"";
    for (char c : t) {
      if (c == '"') out.push_back('"');
      out.push_back(c);
    }
    return out + "\"";
  };
  std::string out;
  for (int k = 1; k <= table.fieldCount(); ++k) {
    const DbfField& f = table.field(k);
    if (k > 1) out += ',';
    out += cell(f.name + ":" + std::string(1, f.type) + ":" + std::to_string(f.length) + ":" +
                std::to_string(f.decimals));
  }
  out += '\n';
  for (std::size_t r = 0; r < table.recordCount(); ++r) {
    std::string line;
    for (int k = 1; k <= table.fieldCount(); ++k) {
      if (k > 1) line += ',';
      line += cell(table.Text(r, k));
    }
    // An empty line would be skipped on reading; a record of one empty field is "".
    out += line.empty() ? "\"\"" : line;
    out += '\n';
  }
  return out;
}

}  // namespace kvem
