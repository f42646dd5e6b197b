#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace catalogue {

// One element of a small XML document, its name resolved to the namespace
// it is bound to. Text is UTF-8.
struct XmlElement {
  struct Attribute {
    std::string namespaceUri;
    std::string localName;
    std::string value;
  };
  std::string namespaceUri;
  std::string localName;
  std::vector<Attribute> attributes;
  // Text runs and child elements in document order.
  std::vector<std::variant<std::string, std::unique_ptr<XmlElement>>> children;

  // The first child element with this name, or nullptr.
  const XmlElement* Child(std::string_view namespaceUri, std::string_view localName) const;
  // Every child element with this name, in order.
  std::vector<const XmlElement*> Children(std::string_view namespaceUri,
                                          std::string_view localName) const;
  // The value of an attribute without a namespace, or nullptr.
  const std::string* AttributeValue(std::string_view localName) const;
  // The value of an attribute in a namespace, or nullptr.
  const std::string* AttributeValue(std::string_view namespaceUri,
                                    std::string_view localName) const;
  // All the text inside the element, its descendants' included, in order.
  std::string WholeText() const;
};

struct XmlParseResult {
  std::unique_ptr<XmlElement> root;  // null when the text is not well-formed
  std::string error;                 // why not, in Japanese (UTF-8)
};

// Elements nested deeper than this are refused.
inline constexpr std::size_t kXmlMaxDepth = 256;

// Parses a small XML document (a package's metadata part) into a tree.
// Only what such parts use is read: elements, attributes, namespaces,
// text, CDATA, character references and the five predefined entities;
// comments, processing instructions and a document type declaration are
// passed over. Nothing outside the bytes is ever read: a document type is
// never loaded and an entity it declares is refused when used, so no
// reference can reach a file or the network, or grow the text. UTF-8, with
// or without its byte-order mark, and UTF-16 with one are accepted.
XmlParseResult ParseXml(std::string_view bytes);

// Parses only as far as the end tag of the first element with this name
// and gives the tree as it stands there: the elements still open are kept
// with what they hold so far, and nothing after the end tag is looked at
// (it may be cut short). Without such an element, as ParseXml.
XmlParseResult ParseXmlUntilEndOf(std::string_view bytes, std::string_view namespaceUri,
                                  std::string_view localName);

}  // namespace catalogue
