#include "catalogue/core/XmlTree.h"

#include <gtest/gtest.h>
#include <chrono>

namespace catalogue {
namespace {

std::string ErrorOf(std::string_view xml) {
  XmlParseResult parsed = ParseXml(xml);
  EXPECT_EQ(parsed.root == nullptr, !parsed.error.empty());
  return parsed.error;
}

TEST(XmlTree, NamesAreMatchedByTheirNamespaceNotTheirPrefix) {
  XmlParseResult parsed = ParseXml(
      "<?xml version=\"1.0\"?>\n<!-- written by hand -->\n"
      "<p:root xmlns:p=\"urn:p\" xmlns=\"urn:default\">"
      "<q:item xmlns:q=\"urn:p\">one</q:item>"
      "<item>two</item>"
      "<inner xmlns=\"urn:other\"><item>three</item></inner>"
      "<p:item p:mark=\"x\" plain=\"y\">four</p:item>"
      "</p:root>");
  ASSERT_NE(parsed.root, nullptr) << parsed.error;
  const XmlElement& root = *parsed.root;
  EXPECT_EQ(root.namespaceUri, "urn:p");
  EXPECT_EQ(root.localName, "root");
  ASSERT_EQ(root.Children("urn:p", "item").size(), 2u);
  EXPECT_EQ(root.Child("urn:p", "item")->WholeText(), "one");
  EXPECT_EQ(root.Children("urn:p", "item")[1]->WholeText(), "four");
  EXPECT_EQ(root.Child("urn:default", "item")->WholeText(), "two");
  // A default namespace declared inside holds only there.
  const XmlElement* inner = root.Child("urn:default", "inner");
  EXPECT_EQ(inner, nullptr);
  inner = root.Child("urn:other", "inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_NE(inner->Child("urn:other", "item"), nullptr);
  // Unprefixed attributes have no namespace.
  const XmlElement* fourth = root.Children("urn:p", "item")[1];
  ASSERT_NE(fourth->AttributeValue("plain"), nullptr);
  EXPECT_EQ(*fourth->AttributeValue("plain"), "y");
  EXPECT_EQ(fourth->AttributeValue("mark"), nullptr);
}

TEST(XmlTree, WholeTextJoinsReferencesCdataAndNestedElements) {
  XmlParseResult parsed = ParseXml(
      "<a>x &lt;&amp;&gt; &quot;&apos; &#12354;&#x3044;<b>in<c>ner</c></b>"
      "<![CDATA[<not a tag> & ]]><!-- gone --><?pi gone?>\r\nend</a>");
  ASSERT_NE(parsed.root, nullptr) << parsed.error;
  EXPECT_EQ(parsed.root->WholeText(),
            "x <&> \"' \xE3\x81\x82\xE3\x81\x84inner<not a tag> & \r\nend");
  XmlParseResult attribute = ParseXml("<a v='1 &amp;\t2 &#x41;'/>");
  ASSERT_NE(attribute.root, nullptr);
  EXPECT_EQ(*attribute.root->AttributeValue("v"), "1 & 2 A");
}

TEST(XmlTree, MalformedDocumentsAreRefusedWithTheLine) {
  EXPECT_NE(ErrorOf("<a><b></a>").find("1 行目"), std::string::npos);
  EXPECT_NE(ErrorOf("<a>\n<b>\n</a>").find("3 行目"), std::string::npos);
  for (const char* bad : {"",
                          "   ",
                          "text",
                          "<a>",
                          "<a></b>",
                          "<a><b></a></b>",
                          "<a/><b/>",
                          "<a/>tail",
                          "<a x='1' x='2'/>",
                          "<a x=1/>",
                          "<a x='<'/>",
                          "<a x='1'y='2'/>",
                          "<p:a/>",
                          "<a p:x='1'/>",
                          "<a xmlns:p=''/>",
                          "<a>&unknown;</a>",
                          "<a>&#0;</a>",
                          "<a>&#xD800;</a>",
                          "<a>&#x110000;</a>",
                          "<a>&#;</a>",
                          "<a>&amp</a>",
                          "<a><!-- open</a>",
                          "<a><![CDATA[open</a>",
                          "<1a/>",
                          "<a:/>",
                          "<a::b xmlns:a='u'/>",
                          "<a><!ELEMENT x></a>",
                          "<?xml"}) {
    EXPECT_FALSE(ErrorOf(bad).empty()) << bad;
  }
}

TEST(XmlTree, ADocumentTypeIsPassedOverAndItsEntitiesNeverExpand) {
  // An external subset is never fetched: the document reads as if it had none.
  XmlParseResult external =
      ParseXml("<!DOCTYPE a SYSTEM \"http://example.invalid/a.dtd\"><a>kept</a>");
  ASSERT_NE(external.root, nullptr) << external.error;
  EXPECT_EQ(external.root->WholeText(), "kept");
  // Entities it declares (a file, or a text that grows a billion times) are refused when used.
  EXPECT_FALSE(
      ErrorOf("<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><a>&e;</a>").empty());
  std::string laughs = "<!DOCTYPE a [<!ENTITY l0 \"ha\">";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"" + std::string(10, '&') + "\">";
  }
  laughs += "<!-- ] > --> ]><a>&l9;</a>";
  EXPECT_FALSE(ErrorOf(laughs).empty());
  // An internal subset with "]" and ">" inside quotes and comments still ends where it ends.
  XmlParseResult tricky = ParseXml("<!DOCTYPE a [<!ENTITY x \"]>\"><!-- ]> -->]><a>ok</a>");
  ASSERT_NE(tricky.root, nullptr) << tricky.error;
  EXPECT_EQ(tricky.root->WholeText(), "ok");
}

TEST(XmlTree, DepthAndElementCountAreBounded) {
  std::string deep;
  for (std::size_t i = 0; i < kXmlMaxDepth; ++i) {
    deep += "<a>";
  }
  std::string closing;
  for (std::size_t i = 0; i < kXmlMaxDepth; ++i) {
    closing += "</a>";
  }
  EXPECT_NE(ParseXml(deep + closing).root, nullptr);
  EXPECT_FALSE(ErrorOf("<a>" + deep + closing + "</a>").empty());
  // Deeper than any stack would take, refused rather than recursed into.
  std::string opens;
  for (int i = 0; i < 200000; ++i) {
    opens += "<a>";
  }
  EXPECT_FALSE(ErrorOf(opens).empty());
  std::string many = "<a>";
  for (int i = 0; i < 100001; ++i) {
    many += "<b/>";
  }
  EXPECT_FALSE(ErrorOf(many + "</a>").empty());
}

TEST(XmlTree, HostilePartsOfTheLargestSizeReadInLinearTime) {
  // Each shape once made a parse take seconds to minutes at 4 MiB.
  const std::size_t size = std::size_t{4} << 20;
  std::string attributes = "<r";
  for (int i = 0; attributes.size() < size; ++i) {
    attributes += " a" + std::to_string(i) + "=''";
  }
  // Fifty thousand prefixes in scope, over 200 nested elements, then
  // elements that each look one up.
  std::string namespaces;
  for (int level = 0; level < 200; ++level) {
    namespaces += "<r";
    for (int k = 0; k < 250; ++k) {
      namespaces += " xmlns:p" + std::to_string(level) + "_" + std::to_string(k) + "='u'";
    }
    namespaces += ">";
  }
  while (namespaces.size() < size) {
    namespaces += "<p0_7:e/>";
  }
  auto start = std::chrono::steady_clock::now();
  EXPECT_NE(ErrorOf(attributes + "/>").find("属性が多すぎます"), std::string::npos);
  EXPECT_NE(ErrorOf(namespaces).find("要素が多すぎます"), std::string::npos);
  // Up to the limit of attributes, all the declarations of one element are read.
  std::string few = "<r xmlns:p='u'";
  for (std::size_t i = 1; i < 256; ++i) {
    few += " a" + std::to_string(i) + "=''";
  }
  XmlParseResult parsed = ParseXml(few + "><p:e/></r>");
  ASSERT_NE(parsed.root, nullptr) << parsed.error;
  EXPECT_NE(parsed.root->Child("u", "e"), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(XmlTree, ByteOrderMarksAndUtf16AreRead) {
  XmlParseResult bom = ParseXml("\xEF\xBB\xBF<a>\xE3\x81\x82</a>");
  ASSERT_NE(bom.root, nullptr) << bom.error;
  EXPECT_EQ(bom.root->WholeText(), "\xE3\x81\x82");
  std::string utf16("\xFF\xFE", 2);
  for (char16_t c : std::u16string(u"<a>\u3042</a>")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  XmlParseResult wide = ParseXml(utf16);
  ASSERT_NE(wide.root, nullptr) << wide.error;
  EXPECT_EQ(wide.root->WholeText(), "\xE3\x81\x82");
}

// Parsing can end at an element's end tag: what follows is never looked at,
// so a document cut short or malformed after it still gives the element.
TEST(XmlTree, ParsingStopsAtTheEndOfTheElementAsked) {
  const std::string ns = "urn:x";
  XmlParseResult r =
      ParseXmlUntilEndOf("<r xmlns:p=\"urn:x\"><a>1</a><p:m><t>kept</t></p:m><b>cut sh", ns, "m");
  ASSERT_NE(r.root, nullptr) << r.error;
  ASSERT_NE(r.root->Child(ns, "m"), nullptr);
  EXPECT_EQ(r.root->Child(ns, "m")->WholeText(), "kept");
  EXPECT_EQ(r.root->Child("", "b"), nullptr);
  // Self-closing, and by namespace, not by prefix.
  r = ParseXmlUntilEndOf("<r xmlns=\"urn:x\"><m/><<<", ns, "m");
  ASSERT_NE(r.root, nullptr) << r.error;
  r = ParseXmlUntilEndOf("<r><m>wrong namespace</m><b>cut", ns, "m");
  EXPECT_EQ(r.root, nullptr);
  EXPECT_FALSE(r.error.empty());
  // A fault before the end tag is still a fault.
  EXPECT_EQ(ParseXmlUntilEndOf("<r xmlns=\"urn:x\"><m><t></m>", ns, "m").root, nullptr);
}

}  // namespace
}  // namespace catalogue
