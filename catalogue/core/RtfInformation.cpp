#include "catalogue/core/RtfInformation.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/text/CodePages.h"
#include "platform/text/HexDigit.h"

namespace catalogue {

namespace {

// More open groups than this make the file damaged. Real documents stay far
// below it, and it bounds the memory a hostile file can make the reader use.
constexpr std::size_t kMaxGroupDepth = 256;
// Digits of a control word's parameter; a further digit is plain text.
constexpr int kMaxParameterDigits = 10;
// The code page of 8-bit text when the file names none we can convert.
constexpr unsigned kDefaultCodePage = 1252;
// UTF-16LE, for the characters of \u.
constexpr unsigned kUtf16CodePage = 1200;

bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// Double-byte code pages. Text written without \'hh escapes may hold a trail
// byte that looks like "\", "{" or "}"; it belongs to its character and is not
// RTF syntax.
bool IsLeadByte(unsigned codePage, unsigned char b) {
  switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950: return b >= 0x81 && b <= 0xFE;
    default: return false;
  }
}

bool IsTrailByte(unsigned codePage, unsigned char b) {
  switch (codePage) {
    case 932: return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    case 936: return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
    case 949:
      return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE);
    case 950: return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
    default: return false;
  }
}

struct Token {
  enum class Kind { End, Open, Close, Word, Symbol, Hex, Text };
  Kind kind = Kind::End;
  std::string_view word;                  // Word: the letters
  std::optional<std::int64_t> parameter;  // Word: the number after them
  char byte = 0;                          // Symbol: the character; Hex: the byte
  std::string_view text;                  // Text: one character, one or two bytes
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view bytes) : bytes_(bytes) {}

  // The next token; `codePage` tells double-byte characters in plain text.
  Token Next(unsigned codePage) {
    Token t;
    while (pos_ < bytes_.size()) {
      unsigned char c = Byte(pos_);
      if (c == '\r' || c == '\n') {
        ++pos_;
        continue;
      }
      if (c == '{' || c == '}') {
        ++pos_;
        t.kind = c == '{' ? Token::Kind::Open : Token::Kind::Close;
        return t;
      }
      if (c == '\\') {
        return Control();
      }
      std::size_t length = 1;
      if (IsLeadByte(codePage, c) && pos_ + 1 < bytes_.size() &&
          IsTrailByte(codePage, Byte(pos_ + 1))) {
        length = 2;
      }
      t.kind = Token::Kind::Text;
      t.text = bytes_.substr(pos_, length);
      pos_ += length;
      return t;
    }
    return t;
  }

 private:
  unsigned char Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  // At a backslash.
  Token Control() {
    Token t;
    ++pos_;
    if (pos_ >= bytes_.size()) {
      return t;  // a backslash that ends the bytes ends them
    }
    unsigned char c = Byte(pos_);
    if (!IsLetter(c)) {
      if (c == '\'' && pos_ + 2 < bytes_.size() &&
          platform::HexDigitValue(static_cast<char>(Byte(pos_ + 1))) >= 0 &&
          platform::HexDigitValue(static_cast<char>(Byte(pos_ + 2))) >= 0) {
        t.kind = Token::Kind::Hex;
        t.byte = static_cast<char>(platform::HexDigitValue(static_cast<char>(Byte(pos_ + 1))) * 16 +
                                   platform::HexDigitValue(static_cast<char>(Byte(pos_ + 2))));
        pos_ += 3;
        return t;
      }
      t.kind = Token::Kind::Symbol;
      t.byte = static_cast<char>(c);
      ++pos_;
      return t;
    }
    std::size_t start = pos_;
    while (pos_ < bytes_.size() && IsLetter(Byte(pos_))) {
      ++pos_;
    }
    t.kind = Token::Kind::Word;
    t.word = bytes_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < bytes_.size() && Byte(pos_) == '-' && IsDigit(Byte(pos_ + 1))) {
      negative = true;
      ++pos_;
    }
    std::int64_t value = 0;
    int digits = 0;
    while (pos_ < bytes_.size() && digits < kMaxParameterDigits && IsDigit(Byte(pos_))) {
      value = value * 10 + (Byte(pos_) - '0');
      ++pos_;
      ++digits;
    }
    if (digits > 0) {
      t.parameter = negative ? -value : value;
    }
    if (pos_ < bytes_.size() && Byte(pos_) == ' ') {
      ++pos_;  // the delimiter belongs to the word
    }
    // \binN: N bytes of binary data follow, which may hold anything.
    if (t.word == "bin" && t.parameter && *t.parameter > 0) {
      std::size_t left = bytes_.size() - pos_;
      std::uint64_t n = static_cast<std::uint64_t>(*t.parameter);
      pos_ += n < left ? static_cast<std::size_t>(n) : left;
    }
    return t;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Appends `in`, in `codePage`, converted to UTF-8.
void AppendConverted(std::string& out, std::string_view in, unsigned codePage) {
  if (in.empty()) {
    return;
  }
  if (std::optional<std::string> converted = platform::CodePageToUtf8(in, codePage)) {
    out += *converted;
  } else {
    out.append(in.size() / platform::CodeUnitSize(codePage), '?');
  }
}

// The text of one field as it is read: runs of code-page bytes and runs of
// UTF-16 units are each converted as a whole, so a character written as two
// \'hh bytes, or as a surrogate pair, stays one character.
class FieldText {
 public:
  void Clear() {
    text_.clear();
    bytes_.clear();
    units_.clear();
  }

  void AddByte(char b, unsigned codePage) {
    PutBreaks(codePage);
    if (!units_.empty()) {
      Flush(codePage);
    }
    bytes_ += b;
  }

  void AddUnit(std::uint16_t unit, unsigned codePage) {
    PutBreaks(codePage);
    if (!bytes_.empty()) {
      Flush(codePage);
    }
    units_ += static_cast<char>(unit & 0xFF);
    units_ += static_cast<char>(unit >> 8);
  }

  // A paragraph or line break: a blank between words, nothing at the end
  // of the value (a comment ending in \par keeps no trailing blank).
  void AddBreak() { ++pendingBreaks_; }

  std::string Finish(unsigned codePage) {
    pendingBreaks_ = 0;
    Flush(codePage);
    return std::move(text_);
  }

 private:
  void Flush(unsigned codePage) {
    AppendConverted(text_, bytes_, codePage);
    AppendConverted(text_, units_, kUtf16CodePage);
    bytes_.clear();
    units_.clear();
  }

  void PutBreaks(unsigned codePage) {
    while (pendingBreaks_ > 0) {
      --pendingBreaks_;
      AddByte(' ', codePage);
    }
  }

  std::string text_;
  std::string bytes_;              // code page bytes not yet converted
  std::string units_;              // UTF-16LE not yet converted
  std::size_t pendingBreaks_ = 0;  // breaks that become blanks if text follows
};

enum class Field { Title, Subject, Author, Keywords, Comments, LastAuthor };
constexpr std::size_t kFieldCount = 6;

std::optional<Field> FieldOfWord(std::string_view word) {
  if (word == "title")
    return Field::Title;
  if (word == "subject")
    return Field::Subject;
  if (word == "author")
    return Field::Author;
  if (word == "keywords")
    return Field::Keywords;
  if (word == "doccomm")
    return Field::Comments;
  if (word == "operator")
    return Field::LastAuthor;
  return std::nullopt;
}

std::string& FieldOf(RtfInformation& info, std::size_t field) {
  switch (static_cast<Field>(field)) {
    case Field::Title: return info.title;
    case Field::Subject: return info.subject;
    case Field::Author: return info.author;
    case Field::Keywords: return info.keywords;
    case Field::Comments: return info.comments;
    case Field::LastAuthor: break;
  }
  return info.lastAuthor;
}

enum class Stamp { Created, LastSaved, LastPrinted };
constexpr std::size_t kStampCount = 3;

std::optional<Stamp> StampOfWord(std::string_view word) {
  if (word == "creatim")
    return Stamp::Created;
  if (word == "revtim")
    return Stamp::LastSaved;
  if (word == "printim")
    return Stamp::LastPrinted;
  return std::nullopt;
}

std::optional<CalendarTime>& StampOf(RtfInformation& info, std::size_t stamp) {
  switch (static_cast<Stamp>(stamp)) {
    case Stamp::Created: return info.created;
    case Stamp::LastSaved: return info.lastSaved;
    case Stamp::LastPrinted: break;
  }
  return info.lastPrinted;
}

// The values of a time group, as written.
struct WrittenTime {
  std::optional<std::int64_t> year, month, day, hour, minute, second;

  // Sets the value a control word names, if it names one.
  void Set(std::string_view word, std::int64_t value) {
    std::optional<std::int64_t>* slot = word == "yr"    ? &year
                                        : word == "mo"  ? &month
                                        : word == "dy"  ? &day
                                        : word == "hr"  ? &hour
                                        : word == "min" ? &minute
                                        : word == "sec" ? &second
                                                        : nullptr;
    if (slot != nullptr) {
      *slot = value;
    }
  }
};

bool IsLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t DaysInMonth(std::int64_t year, std::int64_t month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// The time a group gives; nothing when its year is missing or any value is out
// of range. Years run to 9999, as four digits.
std::optional<CalendarTime> TimeOf(const WrittenTime& p) {
  std::int64_t year = p.year.value_or(0);
  std::int64_t month = p.month.value_or(1);
  std::int64_t day = p.day.value_or(1);
  std::int64_t hour = p.hour.value_or(0);
  std::int64_t minute = p.minute.value_or(0);
  std::int64_t second = p.second.value_or(0);
  if (year < 1 || year > 9999 || month < 1 || month > 12) {
    return std::nullopt;
  }
  if (day < 1 || day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  CalendarTime t;
  t.year = year;
  t.month = static_cast<int>(month);
  t.day = static_cast<int>(day);
  t.hour = static_cast<int>(hour);
  t.minute = static_cast<int>(minute);
  t.second = static_cast<int>(second);
  return t;
}

// What an open group is, which decides what its content means.
enum class GroupKind {
  Outside,  // before the \info group: only \ansicpg matters
  Info,     // the \info group itself
  Field,    // the text of one field, or a group nested in it
  Upr,      // {\upr ...}: a field in two forms
  Ud,       // {\*\ud ...} inside \upr: the Unicode form
  Time,     // {\creatim ...} and the like
  Version,  // {\version N}
  Skip,     // anything else: its content is passed over
};

// Where a field's text goes: straight to the information, or to one of the
// two forms of a \upr group.
enum class Form { Plain, Ansi, Unicode };
constexpr std::size_t kFormCount = 3;

struct Group {
  GroupKind kind = GroupKind::Outside;
  std::int64_t uc = 1;      // characters that stand in for each \u
  std::size_t which = 0;    // Field: the field; Time: the stamp
  Form form = Form::Plain;  // Field: where its text goes
  bool fieldRoot = false;   // Field: the group that opened the field
};

class InformationReader {
 public:
  InformationReader(std::string_view bytes, bool wholeFile)
      : tokens_(bytes), wholeFile_(wholeFile) {}

  RtfInformationResult Read() {
    for (;;) {
      Token t = tokens_.Next(codePage_);
      if (t.kind == Token::Kind::End) {
        return infoOpen_
                   ? Damaged(wholeFile_ ? "\\info グループが閉じていません"
                                        : "\\info グループが読み取り上限 (1 MiB) を超えています")
                   : Finished(RtfInformationResult::Outcome::NoInformation);
      }
      if (kindPending_) {
        // "{\*" marks an ignorable destination; the word after it names it.
        if (t.kind == Token::Kind::Symbol && t.byte == '*' && !starSeen_) {
          starSeen_ = true;
          continue;
        }
        kindPending_ = false;
        DecideKind(t);
      }
      if (t.kind == Token::Kind::Open) {
        skip_ = 0;
        if (groups_.size() >= kMaxGroupDepth) {
          return Damaged("グループの入れ子が 256 段を超えています");
        }
        Group g = groups_.empty() ? Group{} : groups_.back();
        g.fieldRoot = false;
        groups_.push_back(g);
        kindPending_ = true;
        starSeen_ = false;
        continue;
      }
      if (t.kind == Token::Kind::Close) {
        skip_ = 0;
        if (groups_.empty()) {
          return Finished(RtfInformationResult::Outcome::NoInformation);
        }
        Group g = groups_.back();
        groups_.pop_back();
        if (g.kind == GroupKind::Info) {
          return Finished(RtfInformationResult::Outcome::Read);
        }
        CloseGroup(g);
        if (groups_.empty()) {
          // The document group ended without an \info group.
          return Finished(RtfInformationResult::Outcome::NoInformation);
        }
        continue;
      }
      if (skip_ > 0) {
        std::int64_t n = static_cast<std::int64_t>(t.kind == Token::Kind::Text ? t.text.size() : 1);
        skip_ = skip_ > n ? skip_ - n : 0;
        continue;
      }
      if (!groups_.empty()) {
        Handle(t);
      }
    }
  }

 private:
  RtfInformationResult Finished(RtfInformationResult::Outcome outcome) {
    RtfInformationResult r;
    r.outcome = outcome;
    if (outcome == RtfInformationResult::Outcome::Read) {
      r.information = std::move(info_);
    }
    return r;
  }

  static RtfInformationResult Damaged(std::string why) {
    RtfInformationResult r;
    r.outcome = RtfInformationResult::Outcome::Damaged;
    r.damage = std::move(why);
    return r;
  }

  FieldText& TextOf(Form form, std::size_t field) {
    return texts_[static_cast<std::size_t>(form)][field];
  }

  // Called with the first token of the newest group (after any "\*").
  void DecideKind(const Token& t) {
    Group& g = groups_.back();
    std::string_view word = t.kind == Token::Kind::Word ? t.word : std::string_view();
    std::optional<Field> field = starSeen_ ? std::nullopt : FieldOfWord(word);
    switch (g.kind) {  // still the kind of the enclosing group
      case GroupKind::Outside:
        if (word == "info") {
          g.kind = GroupKind::Info;
          infoOpen_ = true;
        }
        break;
      case GroupKind::Info:
        if (field) {
          OpenField(g, *field, Form::Plain);
        } else if (starSeen_) {
          g.kind = GroupKind::Skip;
        } else if (word == "upr") {
          g.kind = GroupKind::Upr;
          uprSeen_ = {};
        } else if (std::optional<Stamp> stamp = StampOfWord(word)) {
          g.kind = GroupKind::Time;
          g.which = static_cast<std::size_t>(*stamp);
          time_ = WrittenTime{};
        } else if (word == "version") {
          g.kind = GroupKind::Version;
        } else {
          g.kind = GroupKind::Skip;
        }
        break;
      case GroupKind::Upr:
        if (starSeen_ && word == "ud") {
          g.kind = GroupKind::Ud;
        } else if (field) {
          OpenField(g, *field, Form::Ansi);
        } else {
          g.kind = GroupKind::Skip;
        }
        break;
      case GroupKind::Ud:
        if (field) {
          OpenField(g, *field, Form::Unicode);
        } else {
          g.kind = GroupKind::Skip;
        }
        break;
      case GroupKind::Field:
        // A nested group adds its text to the field, unless it is ignorable.
        if (starSeen_) {
          g.kind = GroupKind::Skip;
        }
        break;
      case GroupKind::Time:
      case GroupKind::Version:
      case GroupKind::Skip: g.kind = GroupKind::Skip; break;
    }
  }

  void OpenField(Group& g, Field field, Form form) {
    std::size_t f = static_cast<std::size_t>(field);
    bool taken = form == Form::Plain ? fieldDone_[f] : uprSeen_[static_cast<std::size_t>(form)][f];
    if (taken) {
      g.kind = GroupKind::Skip;  // only a field's first occurrence counts
      return;
    }
    g.kind = GroupKind::Field;
    g.which = f;
    g.form = form;
    g.fieldRoot = true;
    TextOf(form, f).Clear();
  }

  void CloseGroup(const Group& g) {
    switch (g.kind) {
      case GroupKind::Field:
        if (g.fieldRoot) {
          std::string text = TextOf(g.form, g.which).Finish(codePage_);
          if (g.form == Form::Plain) {
            FieldOf(info_, g.which) = std::move(text);
            fieldDone_[g.which] = true;
          } else {
            uprText_[static_cast<std::size_t>(g.form)][g.which] = std::move(text);
            uprSeen_[static_cast<std::size_t>(g.form)][g.which] = true;
          }
        }
        break;
      case GroupKind::Upr: {
        // The Unicode form wins over the ANSI one; the pair is one occurrence.
        constexpr std::size_t ansi = static_cast<std::size_t>(Form::Ansi);
        constexpr std::size_t unicode = static_cast<std::size_t>(Form::Unicode);
        for (std::size_t f = 0; f < kFieldCount; ++f) {
          if (fieldDone_[f] || (!uprSeen_[ansi][f] && !uprSeen_[unicode][f])) {
            continue;
          }
          FieldOf(info_, f) =
              std::move(uprSeen_[unicode][f] ? uprText_[unicode][f] : uprText_[ansi][f]);
          fieldDone_[f] = true;
        }
        break;
      }
      case GroupKind::Time:
        if (!stampDone_[g.which]) {
          StampOf(info_, g.which) = TimeOf(time_);
          stampDone_[g.which] = true;
        }
        break;
      default: break;
    }
  }

  void SetCodePage(std::int64_t n) {
    codePage_ = kDefaultCodePage;
    if (n > 0 && n <= 0xFFFF) {
      unsigned candidate = static_cast<unsigned>(n);
      // Only code pages of single-byte units can hold 8-bit text.
      if (platform::CodeUnitSize(candidate) == 1 &&
          platform::CodePageToUtf8(std::string_view(), candidate)) {
        codePage_ = candidate;
      }
    }
  }

  void SetVersion(const Token& t) {
    if (t.kind == Token::Kind::Word && t.word == "version" && t.parameter && !versionDone_) {
      info_.revision = std::to_string(*t.parameter);
      versionDone_ = true;
    }
  }

  // A token inside the newest group, other than a brace.
  void Handle(const Token& t) {
    Group& g = groups_.back();
    if (t.kind == Token::Kind::Word && t.parameter) {
      if (t.word == "uc") {
        g.uc = *t.parameter < 0 ? 0 : *t.parameter;
        return;
      }
      if (t.word == "u") {
        if (g.kind == GroupKind::Field) {
          // Negative values stand for the units from 32768 up.
          auto unit = static_cast<std::uint16_t>(static_cast<std::uint64_t>(*t.parameter) & 0xFFFF);
          TextOf(g.form, g.which).AddUnit(unit, codePage_);
        }
        skip_ = g.uc;  // the characters that stand in for it follow
        return;
      }
    }
    switch (g.kind) {
      case GroupKind::Outside:
        if (t.kind == Token::Kind::Word && t.word == "ansicpg" && t.parameter) {
          SetCodePage(*t.parameter);
        }
        break;
      case GroupKind::Info:
      case GroupKind::Version: SetVersion(t); break;
      case GroupKind::Time:
        if (t.kind == Token::Kind::Word && t.parameter) {
          time_.Set(t.word, *t.parameter);
        }
        break;
      case GroupKind::Field: AddToField(g, t); break;
      default: break;
    }
  }

  void AddToField(const Group& g, const Token& t) {
    FieldText& text = TextOf(g.form, g.which);
    switch (t.kind) {
      case Token::Kind::Text:
        for (char c : t.text) {
          text.AddByte(c, codePage_);
        }
        break;
      case Token::Kind::Hex: text.AddByte(t.byte, codePage_); break;
      case Token::Kind::Symbol: AddSymbol(text, t.byte); break;
      case Token::Kind::Word: AddSpecialCharacter(text, t.word); break;
      default: break;
    }
  }

  // "\\", "\{" and "\}" stand for themselves; a backslash before a line
  // break is a paragraph, and a no-break space or hyphen is the plain one.
  void AddSymbol(FieldText& text, char symbol) {
    switch (symbol) {
      case '\\':
      case '{':
      case '}': text.AddByte(symbol, codePage_); break;
      case '\r':
      case '\n': text.AddBreak(); break;
      case '~': text.AddByte(' ', codePage_); break;
      case '_': text.AddByte('-', codePage_); break;
      default: break;  // "\-" (an optional hyphen) and the like show nothing
    }
  }

  // Control words that stand for a character: breaks keep words apart, the
  // typographic ones are the characters themselves. Any other word is
  // formatting and adds nothing.
  void AddSpecialCharacter(FieldText& text, std::string_view word) {
    if (word == "line" || word == "par") {
      text.AddBreak();
      return;
    }
    if (word == "tab") {
      text.AddByte(' ', codePage_);
      return;
    }
    static constexpr std::pair<std::string_view, std::uint16_t> kCharacters[] = {
        {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
    };
    for (const auto& [name, unit] : kCharacters) {
      if (word == name) {
        text.AddUnit(unit, codePage_);
        return;
      }
    }
  }

  Tokenizer tokens_;
  bool wholeFile_;
  unsigned codePage_ = kDefaultCodePage;
  std::vector<Group> groups_;
  bool kindPending_ = false;  // the newest group's kind waits for its first token
  bool starSeen_ = false;     // ... which was "\*"
  bool infoOpen_ = false;
  std::int64_t skip_ = 0;  // characters still to pass over after a \u

  RtfInformation info_;
  std::array<bool, kFieldCount> fieldDone_{};
  std::array<bool, kStampCount> stampDone_{};
  bool versionDone_ = false;
  WrittenTime time_;
  std::array<std::array<FieldText, kFieldCount>, kFormCount> texts_;
  std::array<std::array<std::string, kFieldCount>, kFormCount> uprText_;
  std::array<std::array<bool, kFieldCount>, kFormCount> uprSeen_{};
};

}  // namespace

RtfInformationResult ReadRtfInformation(std::string_view bytes, bool wholeFile) {
  return InformationReader(bytes, wholeFile).Read();
}

}  // namespace catalogue
