#include "commands/core/GridRows.h"

#include <algorithm>
#include <optional>

#include "platform/text/Cp932.h"

namespace commands {

namespace {

// A number as a spreadsheet reads one: an optional sign, digits, and
// optionally "." and more digits.
bool IsPlainNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

std::string InertCsvValue(const std::string& value) {
  // The first byte is ASCII in UTF-8 and code page 932 alike.
  if (value.empty() || std::string_view("=+-@\t\r").find(value.front()) == std::string_view::npos ||
      IsPlainNumber(value)) {
    return value;
  }
  return "'" + value;
}

std::string CsvField(const std::string& value) {
  std::string cell = InertCsvValue(value);
  if (cell.find_first_of(",\"\r\n") == std::string::npos) {
    return cell;
  }
  // ',' and '"' are below 0x40, so neither can be the second byte of a
  // double-byte character: quoting works on UTF-8 and code page 932 alike.
  std::string field = "\"";
  for (char c : cell) {
    if (c == '"') {
      field += '"';
    }
    field += c;
  }
  field += '"';
  return field;
}

void AppendCsvLine(const FieldOf& field, std::string& text) {
  for (int col = 0; col < kWrittenColumns; ++col) {
    text += CsvField(col < kRecordColumns ? field(col) : std::string());  // the twelfth: empty
    text += ',';
  }
  text += "\r\n";
}

std::size_t AppendShiftJisCsvLine(const FieldOf& field, std::string& text) {
  std::size_t changed = 0;
  for (int col = 0; col < kWrittenColumns; ++col) {
    if (col < kRecordColumns) {
      const std::string& value = field(col);
      std::optional<std::string> stored = platform::EncodeCp932Exactly(value);
      if (!stored) {
        stored = platform::Utf8ToCp932(value);
        ++changed;
      }
      text += CsvField(*stored);
    }
    text += ',';
  }
  text += "\r\n";
  return changed;
}

void AppendUtf8CsvLine(const FieldOf& field, std::string& text) {
  for (int col = 0; col < kRecordColumns; ++col) {
    if (col > 0) {
      text += ',';
    }
    text += CsvField(field(col));
  }
  text += "\r\n";
}

std::string Utf8CsvStart() {
  std::string text = "\xEF\xBB\xBF";
  for (int col = 0; col < kRecordColumns; ++col) {
    if (col > 0) {
      text += ',';
    }
    text += CsvField(catalogue::DocumentList::Heading(col));
  }
  text += "\r\n";
  return text;
}

std::string CsvText(const catalogue::DocumentList& list) {
  return CsvText(list, list.DocumentRows());
}

std::string CsvText(const catalogue::DocumentList& list, const std::vector<int>& rows) {
  std::string text;
  for (int row : rows) {
    if (list.HoldsDocument(row)) {
      AppendCsvLine([&](int col) -> const std::string& { return list.Field(row, col); }, text);
    }
  }
  return text;
}

ShiftJisCsv CsvShiftJisText(const catalogue::DocumentList& list) {
  ShiftJisCsv csv;
  for (int row : list.DocumentRows()) {
    csv.valuesChanged += AppendShiftJisCsvLine(
        [&](int col) -> const std::string& { return list.Field(row, col); }, csv.bytes);
  }
  return csv;
}

namespace {

std::string HtmlText(const std::string& text) {
  std::string html;
  for (char c : text) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      default: html += c; break;
    }
  }
  return html;
}

}  // namespace

std::string HtmlTable(const catalogue::DocumentList& list) {
  return HtmlTable(list, list.DocumentRows());
}

std::string HtmlTable(const catalogue::DocumentList& list, const std::vector<int>& rows) {
  // Every cell is text to the spreadsheet it is pasted into (Excel's
  // number format "@", LibreOffice's sdnum), so none becomes a formula.
  std::string html =
      "<html><head><meta charset=\"utf-8\"><style>td { mso-number-format:\"\\@\"; }</style>"
      "</head><body><table>\n<tr>";
  for (int col = 0; col < kRecordColumns; ++col) {
    html += "<th>";
    html += HtmlText(catalogue::DocumentList::Heading(col));
    html += "</th>";
  }
  html += "</tr>\n";
  for (int row : rows) {
    if (!list.HoldsDocument(row)) {
      continue;
    }
    html += "<tr>";
    for (int col = 0; col < kRecordColumns; ++col) {
      html += "<td sdnum=\"1041;0;@\">";
      html += HtmlText(list.Field(row, col));
      html += "</td>";
    }
    html += "</tr>\n";
  }
  html += "</table></body></html>\n";
  return html;
}

std::string LostCharactersMessage(std::size_t values) {
  return "Shift-JIS にない文字を含む値が " + std::to_string(values) +
         " 個あり、その文字は「?」になりました。UTF-8 の CSV ならそのまま書き出せます。";
}

std::string CsvUtf8Text(const catalogue::DocumentList& list) {
  std::string text = Utf8CsvStart();
  for (int row : list.DocumentRows()) {
    AppendUtf8CsvLine([&](int col) -> const std::string& { return list.Field(row, col); }, text);
  }
  return text;
}

}  // namespace commands
