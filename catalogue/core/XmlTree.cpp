#include "catalogue/core/XmlTree.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/text/HexDigit.h"
#include "platform/text/Iconv.h"
#include "platform/text/Utf8.h"

namespace catalogue {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
// A metadata part holds a few dozen elements with a few attributes each;
// this many means a hostile one.
constexpr std::size_t kMaxElements = 100'000;
constexpr std::size_t kMaxAttributes = 256;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameStart(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' || b == ':' || b >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

struct NotWellFormed {
  const char* why;
  std::size_t at;
};

// A name split at its colon.
struct QualifiedName {
  std::string_view prefix;
  std::string_view local;
};

class XmlParser {
 public:
  explicit XmlParser(std::string_view text) : s_(text) {}

  // Parsing stops at the end tag of the first element so named.
  void StopAfter(std::string_view namespaceUri, std::string_view localName) {
    stopNamespace_ = namespaceUri;
    stopName_ = localName;
  }

  std::unique_ptr<XmlElement> Parse() {
    SkipMisc();
    if (AtEnd() || s_[pos_] != '<') {
      Fail("ルート要素がありません");
    }
    std::unique_ptr<XmlElement> root = ParseElements();
    if (stopped_) {
      return root;
    }
    SkipMisc();
    if (!AtEnd()) {
      Fail("ルート要素の後に余分な内容があります");
    }
    return root;
  }

 private:
  struct Open {
    XmlElement* element;
    std::string_view qname;
    std::size_t bindingsMark;
  };

  [[noreturn]] void Fail(const char* why) const { throw NotWellFormed{why, pos_}; }

  bool AtEnd() const { return pos_ >= s_.size(); }
  bool LooksAt(std::string_view what) const { return s_.compare(pos_, what.size(), what) == 0; }

  bool SkipSpaces() {
    std::size_t start = pos_;
    while (!AtEnd() && IsSpace(s_[pos_])) {
      ++pos_;
    }
    return pos_ != start;
  }

  // Moves past the next `end`; fails when there is none.
  void SkipPast(std::string_view end, const char* why) {
    std::size_t at = s_.find(end, pos_);
    if (at == std::string_view::npos) {
      Fail(why);
    }
    pos_ = at + end.size();
  }

  // Spaces, comments, processing instructions and a document type
  // declaration, before or after the root element.
  void SkipMisc() {
    for (;;) {
      SkipSpaces();
      if (LooksAt("<?")) {
        SkipPast("?>", "処理命令が閉じていません");
      } else if (LooksAt("<!--")) {
        SkipPast("-->", "コメントが閉じていません");
      } else if (LooksAt("<!DOCTYPE")) {
        SkipDocumentType();
      } else {
        return;
      }
    }
  }

  // Passes over a document type declaration, its internal subset
  // included, without acting on any of it.
  void SkipDocumentType() {
    pos_ += 9;
    bool inSubset = false;
    while (!AtEnd()) {
      char c = s_[pos_];
      if (c == '"' || c == '\'') {
        std::size_t close = s_.find(c, pos_ + 1);
        if (close == std::string_view::npos) {
          break;
        }
        pos_ = close + 1;
      } else if (inSubset && LooksAt("<!--")) {
        SkipPast("-->", "コメントが閉じていません");
      } else if (c == '[') {
        inSubset = true;
        ++pos_;
      } else if (c == ']') {
        inSubset = false;
        ++pos_;
      } else if (c == '>' && !inSubset) {
        ++pos_;
        return;
      } else {
        ++pos_;
      }
    }
    Fail("文書型宣言が閉じていません");
  }

  std::string_view ReadName() {
    std::size_t start = pos_;
    if (AtEnd() || !IsNameStart(s_[pos_])) {
      Fail("名前が正しくありません");
    }
    while (!AtEnd() && IsNameChar(s_[pos_])) {
      ++pos_;
    }
    return s_.substr(start, pos_ - start);
  }

  QualifiedName Split(std::string_view name) {
    std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) {
      return {{}, name};
    }
    QualifiedName q{name.substr(0, colon), name.substr(colon + 1)};
    if (q.prefix.empty() || q.local.empty() || q.local.find(':') != std::string_view::npos) {
      Fail("名前が正しくありません");
    }
    return q;
  }

  // A reference after "&": appended to `out`.
  void ReadReference(std::string& out) {
    ++pos_;  // '&'
    std::size_t semicolon = s_.find(';', pos_);
    if (semicolon == std::string_view::npos || semicolon - pos_ > 12) {
      Fail("参照が正しくありません");
    }
    std::string_view ref = s_.substr(pos_, semicolon - pos_);
    pos_ = semicolon + 1;
    if (ref == "lt") {
      out += '<';
    } else if (ref == "gt") {
      out += '>';
    } else if (ref == "amp") {
      out += '&';
    } else if (ref == "apos") {
      out += '\'';
    } else if (ref == "quot") {
      out += '"';
    } else if (ref.size() >= 2 && ref[0] == '#') {
      bool hex = ref[1] == 'x';
      std::string_view digits = ref.substr(hex ? 2 : 1);
      if (digits.empty()) {
        Fail("文字参照が正しくありません");
      }
      std::uint32_t cp = 0;
      for (char d : digits) {
        int v = hex ? platform::HexDigitValue(d) : (d >= '0' && d <= '9' ? d - '0' : -1);
        if (v < 0) {
          Fail("文字参照が正しくありません");
        }
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        if (cp > 0x10FFFF) {
          Fail("文字参照が正しくありません");
        }
      }
      if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
        Fail("文字参照が正しくありません");
      }
      platform::AppendUtf8(out, static_cast<char32_t>(cp));
    } else {
      // Entities a document type declares are never expanded.
      Fail("定義されていない実体参照があります");
    }
  }

  std::string ReadAttributeValue() {
    char quote = AtEnd() ? '\0' : s_[pos_];
    if (quote != '"' && quote != '\'') {
      Fail("属性の値に引用符がありません");
    }
    ++pos_;
    std::string value;
    for (;;) {
      if (AtEnd()) {
        Fail("属性の値が閉じていません");
      }
      char c = s_[pos_];
      if (c == quote) {
        ++pos_;
        return value;
      }
      if (c == '<') {
        Fail("属性の値に「<」があります");
      }
      if (c == '&') {
        ReadReference(value);
      } else {
        value += IsSpace(c) ? ' ' : c;
        ++pos_;
      }
    }
  }

  std::string_view Lookup(std::string_view prefix) {
    if (prefix == "xml") {
      return kXmlNamespace;
    }
    auto found = bindings_.find(prefix);
    if (found != bindings_.end() && !found->second.empty()) {
      return found->second.back();
    }
    if (!prefix.empty()) {
      Fail("名前空間の接頭辞が宣言されていません");
    }
    return {};
  }

  void Bind(std::string_view prefix, const std::string& uri) {
    bindings_[prefix].push_back(uri);
    declared_.push_back(prefix);
  }

  // Ends the declarations made after `mark` (an element's, at its end).
  void Unbind(std::size_t mark) {
    while (declared_.size() > mark) {
      bindings_[declared_.back()].pop_back();
      declared_.pop_back();
    }
  }

  // A start tag at "<": the new element (appended to `parent` when there is
  // one); `selfClosing` tells whether it ended with "/>".
  XmlElement* ReadStartTag(XmlElement* parent, std::unique_ptr<XmlElement>& root,
                           std::string_view& qname, bool& selfClosing) {
    if (++elements_ > kMaxElements) {
      Fail("要素が多すぎます");
    }
    ++pos_;  // '<'
    qname = ReadName();
    std::vector<std::pair<std::string_view, std::string>> raw;
    std::unordered_set<std::string_view> names;
    for (;;) {
      bool spaced = SkipSpaces();
      if (LooksAt("/>") || LooksAt(">")) {
        break;
      }
      if (!spaced) {
        Fail("属性の前に空白がありません");
      }
      std::string_view name = ReadName();
      SkipSpaces();
      if (AtEnd() || s_[pos_] != '=') {
        Fail("属性に「=」がありません");
      }
      ++pos_;
      SkipSpaces();
      std::string value = ReadAttributeValue();
      if (!names.insert(name).second) {
        Fail("同じ属性が二度あります");
      }
      if (raw.size() == kMaxAttributes) {
        Fail("属性が多すぎます");
      }
      raw.emplace_back(name, std::move(value));
    }
    selfClosing = LooksAt("/>");
    pos_ += selfClosing ? 2 : 1;

    for (const auto& [name, value] : raw) {
      if (name == "xmlns") {
        Bind(std::string_view(), value);
      } else if (name.substr(0, 6) == "xmlns:") {
        if (value.empty() || name.size() == 6) {
          Fail("名前空間の宣言が正しくありません");
        }
        Bind(name.substr(6), value);
      }
    }
    auto element = std::make_unique<XmlElement>();
    QualifiedName q = Split(qname);
    element->namespaceUri = std::string(Lookup(q.prefix));
    element->localName = std::string(q.local);
    for (auto& [name, value] : raw) {
      if (name == "xmlns" || name.substr(0, 6) == "xmlns:") {
        continue;
      }
      QualifiedName a = Split(name);
      std::string uri = a.prefix.empty() ? std::string() : std::string(Lookup(a.prefix));
      element->attributes.push_back({std::move(uri), std::string(a.local), std::move(value)});
    }
    XmlElement* made = element.get();
    if (parent != nullptr) {
      parent->children.emplace_back(std::move(element));
    } else {
      root = std::move(element);
    }
    return made;
  }

  static void AppendText(XmlElement& element, std::string_view text) {
    if (text.empty()) {
      return;
    }
    if (!element.children.empty()) {
      if (auto* last = std::get_if<std::string>(&element.children.back())) {
        *last += text;
        return;
      }
    }
    element.children.emplace_back(std::string(text));
  }

  // The root element and everything in it, without recursion.
  std::unique_ptr<XmlElement> ParseElements() {
    std::unique_ptr<XmlElement> root;
    std::vector<Open> open;
    std::string_view qname;
    bool selfClosing = false;
    std::size_t mark = declared_.size();
    XmlElement* element = ReadStartTag(nullptr, root, qname, selfClosing);
    if (selfClosing) {
      Unbind(mark);
      return root;
    }
    open.push_back({element, qname, mark});
    std::string text;
    while (!open.empty()) {
      if (AtEnd()) {
        Fail("閉じていない要素があります");
      }
      XmlElement& current = *open.back().element;
      if (LooksAt("</")) {
        pos_ += 2;
        std::string_view name = ReadName();
        SkipSpaces();
        if (AtEnd() || s_[pos_] != '>') {
          Fail("終了タグが正しくありません");
        }
        ++pos_;
        if (name != open.back().qname) {
          Fail("終了タグが開始タグと合いません");
        }
        if (IsStopElement(*open.back().element)) {
          stopped_ = true;
          return root;
        }
        Unbind(open.back().bindingsMark);
        open.pop_back();
      } else if (LooksAt("<!--")) {
        SkipPast("-->", "コメントが閉じていません");
      } else if (LooksAt("<![CDATA[")) {
        pos_ += 9;
        std::size_t end = s_.find("]]>", pos_);
        if (end == std::string_view::npos) {
          Fail("CDATA セクションが閉じていません");
        }
        AppendText(current, s_.substr(pos_, end - pos_));
        pos_ = end + 3;
      } else if (LooksAt("<?")) {
        SkipPast("?>", "処理命令が閉じていません");
      } else if (LooksAt("<!")) {
        Fail("要素の中に宣言があります");
      } else if (s_[pos_] == '<') {
        if (open.size() >= kXmlMaxDepth) {
          Fail("要素の入れ子が深すぎます");
        }
        mark = declared_.size();
        XmlElement* child = ReadStartTag(&current, root, qname, selfClosing);
        if (selfClosing && IsStopElement(*child)) {
          stopped_ = true;
          return root;
        }
        if (selfClosing) {
          Unbind(mark);
        } else {
          open.push_back({child, qname, mark});
        }
      } else {
        text.clear();
        while (!AtEnd() && s_[pos_] != '<') {
          if (s_[pos_] == '&') {
            ReadReference(text);
          } else {
            text += s_[pos_++];
          }
        }
        AppendText(current, text);
      }
    }
    return root;
  }

  bool IsStopElement(const XmlElement& element) const {
    return !stopName_.empty() && element.localName == stopName_ &&
           element.namespaceUri == stopNamespace_;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  std::size_t elements_ = 0;
  std::string_view stopNamespace_;
  std::string_view stopName_;
  bool stopped_ = false;
  // Namespace prefixes in scope ("" the default) and the URIs they are bound
  // to, innermost last; and the prefixes in the order declared.
  std::unordered_map<std::string_view, std::vector<std::string>> bindings_;
  std::vector<std::string_view> declared_;
};

// The document as UTF-8: a byte-order mark is dropped, UTF-16 converted.
std::string AsUtf8(std::string_view bytes) {
  auto starts = [&](std::string_view p) { return bytes.substr(0, p.size()) == p; };
  const char* from = nullptr;
  std::size_t skip = 0;
  if (starts("\xEF\xBB\xBF")) {
    return std::string(bytes.substr(3));
  }
  if (starts("\xFF\xFE")) {
    from = "UTF-16LE";
    skip = 2;
  } else if (starts("\xFE\xFF")) {
    from = "UTF-16BE";
    skip = 2;
  } else if (starts(std::string_view("<\0", 2))) {
    from = "UTF-16LE";
  } else if (starts(std::string_view("\0<", 2))) {
    from = "UTF-16BE";
  }
  if (from == nullptr) {
    return std::string(bytes);
  }
  std::string out;
  if (const platform::Iconv* convert = platform::Iconv::Cached("UTF-8", from)) {
    convert->Convert(bytes.substr(skip), out, 2, "\xEF\xBF\xBD");
  }
  return out;
}

void AppendWholeText(const XmlElement& element, std::string& out) {
  for (const auto& child : element.children) {
    if (const auto* text = std::get_if<std::string>(&child)) {
      out += *text;
    } else {
      AppendWholeText(*std::get<std::unique_ptr<XmlElement>>(child), out);
    }
  }
}

}  // namespace

const XmlElement* XmlElement::Child(std::string_view uri, std::string_view name) const {
  for (const auto& child : children) {
    if (const auto* e = std::get_if<std::unique_ptr<XmlElement>>(&child)) {
      if ((*e)->localName == name && (*e)->namespaceUri == uri) {
        return e->get();
      }
    }
  }
  return nullptr;
}

std::vector<const XmlElement*> XmlElement::Children(std::string_view uri,
                                                    std::string_view name) const {
  std::vector<const XmlElement*> found;
  for (const auto& child : children) {
    if (const auto* e = std::get_if<std::unique_ptr<XmlElement>>(&child)) {
      if ((*e)->localName == name && (*e)->namespaceUri == uri) {
        found.push_back(e->get());
      }
    }
  }
  return found;
}

const std::string* XmlElement::AttributeValue(std::string_view name) const {
  return AttributeValue(std::string_view(), name);
}

const std::string* XmlElement::AttributeValue(std::string_view uri, std::string_view name) const {
  for (const Attribute& a : attributes) {
    if (a.namespaceUri == uri && a.localName == name) {
      return &a.value;
    }
  }
  return nullptr;
}

std::string XmlElement::WholeText() const {
  std::string text;
  AppendWholeText(*this, text);
  return text;
}

namespace {

XmlParseResult ParseText(std::string_view bytes, std::string_view stopNamespace,
                         std::string_view stopName) {
  std::string text = AsUtf8(bytes);
  XmlParseResult result;
  try {
    XmlParser parser(text);
    parser.StopAfter(stopNamespace, stopName);
    result.root = parser.Parse();
  } catch (const NotWellFormed& e) {
    std::size_t line = 1 + static_cast<std::size_t>(std::count(
                               text.begin(), text.begin() + std::min(e.at, text.size()), '\n'));
    result.error = std::string(e.why) + "（" + std::to_string(line) + " 行目）";
  }
  return result;
}

}  // namespace

XmlParseResult ParseXml(std::string_view bytes) {
  return ParseText(bytes, {}, {});
}

XmlParseResult ParseXmlUntilEndOf(std::string_view bytes, std::string_view namespaceUri,
                                  std::string_view localName) {
  return ParseText(bytes, namespaceUri, localName);
}

}  // namespace catalogue
