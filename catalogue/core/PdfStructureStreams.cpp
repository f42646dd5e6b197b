#include "catalogue/core/PdfStructureStreams.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace catalogue {

namespace {

// How far back from "stream" its dictionary may start: no structure
// stream's dictionary is longer.
constexpr std::size_t kDictionaryReach = 64 * 1024;
constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();

bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
  return IsWhite(c) || c == '/' || c == '[' || c == ']' || c == '<' || c == '>' || c == '(' ||
         c == ')' || c == '{' || c == '}' || c == '%';
}

std::uint64_t Saturated(std::uint64_t a, std::uint64_t b) {
  return a > kLargest - b ? kLargest : a + b;
}

// A value of a dictionary as far as the structure streams need one.
struct Value {
  enum class Kind { Other, Name, Integer, Reference, Array } kind = Kind::Other;
  std::string name;           // a name, without "/"
  std::uint64_t integer = 0;  // a non-negative integer (saturated)
  std::vector<Value> items;   // an array's names and integers
};

// Reads the tokens of a dictionary's text: the keys at its own level and
// their values; nested dictionaries, strings and other values are passed
// over.
class DictionaryReader {
 public:
  explicit DictionaryReader(std::string_view text) : text_(text) {}

  std::vector<std::pair<std::string, Value>> Entries() {
    std::vector<std::pair<std::string, Value>> entries;
    while (true) {
      SkipWhite();
      if (at_ >= text_.size()) {
        return entries;
      }
      if (text_[at_] != '/') {
        SkipValue();  // not a key: passed over
        continue;
      }
      std::string key = ReadName();
      SkipWhite();
      entries.emplace_back(std::move(key), ReadValue());
    }
  }

 private:
  void SkipWhite() {
    while (at_ < text_.size()) {
      if (IsWhite(text_[at_])) {
        ++at_;
      } else if (text_[at_] == '%') {
        while (at_ < text_.size() && text_[at_] != '\r' && text_[at_] != '\n') {
          ++at_;
        }
      } else {
        return;
      }
    }
  }

  std::string ReadName() {
    ++at_;  // the "/"
    std::size_t start = at_;
    while (at_ < text_.size() && !IsDelimiter(text_[at_])) {
      ++at_;
    }
    return std::string(text_.substr(start, at_ - start));
  }

  std::optional<std::uint64_t> ReadInteger() {
    std::size_t start = at_;
    std::uint64_t value = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      auto digit = static_cast<std::uint64_t>(text_[at_] - '0');
      value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
      ++at_;
    }
    if (at_ == start || (at_ < text_.size() && !IsDelimiter(text_[at_]))) {
      at_ = start;
      return std::nullopt;
    }
    return value;
  }

  Value ReadValue() {
    Value value;
    if (at_ >= text_.size()) {
      return value;
    }
    char c = text_[at_];
    if (c == '/') {
      value.kind = Value::Kind::Name;
      value.name = ReadName();
      return value;
    }
    if (c == '[') {
      ++at_;
      value.kind = Value::Kind::Array;
      while (true) {
        SkipWhite();
        if (at_ >= text_.size()) {
          return value;
        }
        if (text_[at_] == ']') {
          ++at_;
          return value;
        }
        Value item = ReadValue();
        if (item.kind == Value::Kind::Name || item.kind == Value::Kind::Integer) {
          value.items.push_back(std::move(item));
        }
      }
    }
    if (c >= '0' && c <= '9') {
      std::optional<std::uint64_t> first = ReadInteger();
      if (!first) {
        SkipValue();
        return value;
      }
      value.kind = Value::Kind::Integer;
      value.integer = *first;
      // "n g R" is a reference, not an integer.
      std::size_t mark = at_;
      SkipWhite();
      if (ReadInteger()) {
        SkipWhite();
        if (at_ < text_.size() && text_[at_] == 'R') {
          ++at_;
          value.kind = Value::Kind::Reference;
          return value;
        }
      }
      at_ = mark;
      return value;
    }
    SkipValue();
    return value;
  }

  // Passes over one value of any kind.
  void SkipValue() {
    if (at_ >= text_.size()) {
      return;
    }
    char c = text_[at_];
    if (c == '(') {
      int depth = 0;
      for (; at_ < text_.size(); ++at_) {
        if (text_[at_] == '\\') {
          ++at_;
        } else if (text_[at_] == '(') {
          ++depth;
        } else if (text_[at_] == ')' && --depth == 0) {
          ++at_;
          return;
        }
      }
      return;
    }
    if (c == '<' && at_ + 1 < text_.size() && text_[at_ + 1] == '<') {
      int depth = 0;
      while (at_ + 1 < text_.size()) {
        if (text_[at_] == '<' && text_[at_ + 1] == '<') {
          ++depth;
          at_ += 2;
        } else if (text_[at_] == '>' && text_[at_ + 1] == '>') {
          at_ += 2;
          if (--depth == 0) {
            return;
          }
        } else {
          ++at_;
        }
      }
      at_ = text_.size();
      return;
    }
    if (c == '<') {
      std::size_t end = text_.find('>', at_);
      at_ = end == std::string_view::npos ? text_.size() : end + 1;
      return;
    }
    if (IsDelimiter(c)) {
      ++at_;
      return;
    }
    while (at_ < text_.size() && !IsDelimiter(text_[at_])) {
      ++at_;
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// The start of the dictionary that ends with the ">>" at `end` (the index
// of its first ">"), walking back over nested ones; nothing when it is not
// within reach.
std::optional<std::size_t> DictionaryStart(std::string_view pdf, std::size_t end) {
  std::size_t stop = end > kDictionaryReach ? end - kDictionaryReach : 0;
  int depth = 0;
  // `i` is the second character of the pair looked at.
  std::size_t i = end + 1;
  while (i > stop) {
    if (pdf[i] == '>' && pdf[i - 1] == '>') {
      ++depth;
      i -= 2;
    } else if (pdf[i] == '<' && pdf[i - 1] == '<') {
      if (--depth == 0) {
        return i - 1;
      }
      i -= 2;
    } else {
      --i;
    }
  }
  return std::nullopt;
}

const Value* Find(const std::vector<std::pair<std::string, Value>>& entries, std::string_view key) {
  for (const auto& [name, value] : entries) {
    if (name == key) {
      return &value;
    }
  }
  return nullptr;
}

std::uint64_t IntegerOf(const Value* value) {
  return value != nullptr && value->kind == Value::Kind::Integer ? value->integer : 0;
}

// Where the stored bytes of a stream whose data starts at `start` end.
std::size_t DataEnd(std::string_view pdf, std::size_t start, const Value* length) {
  if (length != nullptr && length->kind == Value::Kind::Integer && length->integer <= pdf.size() &&
      start <= pdf.size() - length->integer) {
    std::size_t end = start + static_cast<std::size_t>(length->integer);
    std::size_t next = end;
    while (next < pdf.size() && IsWhite(pdf[next])) {
      ++next;
    }
    if (pdf.substr(next, 9) == "endstream") {
      return end;
    }
  }
  std::size_t end = pdf.find("endstream", start);
  return end == std::string_view::npos ? pdf.size() : end;
}

void Describe(PdfStructureStream& stream,
              const std::vector<std::pair<std::string, Value>>& entries) {
  if (const Value* filter = Find(entries, "Filter")) {
    if (filter->kind == Value::Kind::Name) {
      stream.filters.push_back(filter->name);
    } else if (filter->kind == Value::Kind::Array) {
      for (const Value& item : filter->items) {
        stream.filters.push_back(item.name);
      }
    }
  }
  stream.objects = IntegerOf(Find(entries, "N"));
  stream.size = IntegerOf(Find(entries, "Size"));
  if (const Value* widths = Find(entries, "W"); widths != nullptr) {
    for (const Value& item : widths->items) {
      stream.entryWidth = Saturated(stream.entryWidth, item.integer);
    }
  }
  const Value* index = Find(entries, "Index");
  if (index != nullptr && index->kind == Value::Kind::Array) {
    for (std::size_t i = 1; i < index->items.size(); i += 2) {
      stream.entries = Saturated(stream.entries, index->items[i].integer);
    }
  } else {
    stream.entries = stream.size;
  }
}

}  // namespace

std::vector<PdfStructureStream> FindPdfStructureStreams(std::string_view pdf) {
  std::vector<PdfStructureStream> streams;
  std::size_t at = 0;
  while ((at = pdf.find("stream", at)) != std::string_view::npos) {
    std::size_t keyword = at;
    at += 6;
    if (keyword >= 3 && pdf.substr(keyword - 3, 3) == "end") {
      continue;
    }
    // The keyword ends its line (CR LF, LF, or a lone CR as some writers
    // have it) and follows a dictionary's ">>".
    std::size_t start = at;
    if (start < pdf.size() && pdf[start] == '\r') {
      ++start;
    }
    if (start < pdf.size() && pdf[start] == '\n') {
      ++start;
    }
    if (start == at) {
      continue;
    }
    std::size_t close = keyword;
    while (close > 0 && IsWhite(pdf[close - 1])) {
      --close;
    }
    if (close < 2 || pdf[close - 1] != '>' || pdf[close - 2] != '>') {
      continue;
    }
    std::optional<std::size_t> open = DictionaryStart(pdf, close - 2);
    if (!open) {
      continue;
    }
    std::vector<std::pair<std::string, Value>> entries =
        DictionaryReader(pdf.substr(*open + 2, close - 2 - (*open + 2))).Entries();
    const Value* type = Find(entries, "Type");
    if (type == nullptr || type->kind != Value::Kind::Name ||
        (type->name != "ObjStm" && type->name != "XRef")) {
      continue;
    }
    PdfStructureStream stream;
    stream.kind = type->name == "ObjStm" ? PdfStructureStream::Kind::Objects
                                         : PdfStructureStream::Kind::CrossReference;
    Describe(stream, entries);
    std::size_t end = DataEnd(pdf, start, Find(entries, "Length"));
    stream.data = pdf.substr(start, end - start);
    streams.push_back(std::move(stream));
    at = end;
  }
  return streams;
}

std::string DecodeAsciiHex(std::string_view text, bool& ok) {
  std::string out;
  int high = -1;
  ok = true;
  for (char c : text) {
    int digit = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
    if (c == '>') {
      break;
    }
    if (digit < 0) {
      if (!IsWhite(c)) {
        ok = false;
        return {};
      }
      continue;
    }
    if (high < 0) {
      high = digit;
    } else {
      out += static_cast<char>(high * 16 + digit);
      high = -1;
    }
  }
  if (high >= 0) {
    out += static_cast<char>(high * 16);
  }
  return out;
}

std::string DecodeAscii85(std::string_view text, bool& ok) {
  std::string out;
  std::uint32_t group = 0;
  int count = 0;
  ok = true;
  auto flush = [&](int digits) {
    for (int i = digits; i < 5; ++i) {
      group = group * 85 + 84;  // padded with "u"
    }
    for (int i = 0; i < digits - 1; ++i) {
      out += static_cast<char>((group >> (24 - 8 * i)) & 0xFF);
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '~') {
      break;  // "~>" ends the data
    }
    if (IsWhite(c)) {
      continue;
    }
    if (c == 'z' && count == 0) {
      out.append(4, '\0');
      continue;
    }
    if (c < '!' || c > 'u') {
      ok = false;
      return {};
    }
    std::uint64_t next = std::uint64_t{group} * 85 + static_cast<std::uint64_t>(c - '!');
    if (next > 0xFFFFFFFFu) {
      ok = false;
      return {};
    }
    group = static_cast<std::uint32_t>(next);
    if (++count == 5) {
      flush(5);
      group = 0;
      count = 0;
    }
  }
  if (count == 1) {
    ok = false;
    return {};
  }
  if (count > 1) {
    flush(count);
  }
  return out;
}

}  // namespace catalogue
