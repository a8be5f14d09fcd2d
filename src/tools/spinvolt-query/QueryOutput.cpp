#include "QueryOutput.h"

#include "base/CodePage.h"
#include "db/ParadoxFile.h"
#include "db/SqlValueText.h"

#include <algorithm>

namespace spv::tools {
namespace {

using db::TFieldType;

bool IsNumeric(TFieldType type) {
  switch (type) {
    case TFieldType::Short:
    case TFieldType::Long:
    case TFieldType::AutoInc:
    case TFieldType::Money:
    case TFieldType::Number:
    case TFieldType::BCD: return true;
    default: return false;
  }
}

// Characters, not bytes, as a terminal lays them out.
std::size_t DisplayWidth(std::string_view utf8) {
  return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// Every cell as text, the header first.
std::vector<std::vector<std::string>> Cells(const db::TSqlResult& result) {
  const int cp = OutputCodePage(result);
  std::vector<std::vector<std::string>> cells;
  auto& header = cells.emplace_back();
  for (const auto& column : result.Columns) header.push_back(spv::base::CodePageToUtf8(column.Name, cp));
  for (const auto& row : result.Rows) {
    auto& line = cells.emplace_back();
    for (const auto& value : row) line.push_back(db::FormatSqlValue(value, cp));
  }
  return cells;
}

}  // namespace

int OutputCodePage(const db::TSqlResult& result) {
  const int cp = result.CodePage ? result.CodePage : 437;
  if (!spv::base::IsSupportedCodePage(cp))
    throw db::TDatabaseError("The code page of \"" + db::PathText(result.Table) + "\", " + std::to_string(cp) +
                             ", is not supported");
  return cp;
}

void WriteTable(const db::TSqlResult& result, std::ostream& out) {
  std::vector<std::vector<std::string>> cells = Cells(result);
  std::vector<std::size_t> widths(result.Columns.size(), 0);
  for (auto& line : cells)
    for (std::size_t i = 0; i < line.size(); ++i) {
      line[i] = OneLine(std::move(line[i]));
      widths[i] = std::max(widths[i], DisplayWidth(line[i]));
    }
  const auto writeLine = [&](const std::vector<std::string>& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (i) text += " | ";
      const std::string pad(widths[i] - DisplayWidth(line[i]), ' ');
      const bool right = IsNumeric(result.Columns[i].Type);
      // The last column needs no padding after it.
      text += right ? pad + line[i] : i + 1 < line.size() ? line[i] + pad : line[i];
    }
    out << text << '\n';
  };
  writeLine(cells.front());
  std::string rule;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (i) rule += "-+-";
    rule.append(widths[i], '-');
  }
  out << rule << '\n';
  for (std::size_t r = 1; r < cells.size(); ++r) writeLine(cells[r]);
  const std::size_t rows = result.Rows.size();
  out << '(' << rows << (rows == 1 ? " row)" : " rows)") << '\n';
}

void WriteCsv(const db::TSqlResult& result, std::ostream& out) {
  for (const auto& line : Cells(result)) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (i) out << ',';
      out << CsvField(line[i]);
    }
    out << "\r\n";
  }
}

}  // namespace spv::tools
