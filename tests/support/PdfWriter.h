#pragma once

#include <map>
#include <string>

namespace testsupport {

// What a test PDF holds: an information dictionary of raw strings (keys
// without their slash), an optional metadata stream, and optionally
// encryption.
struct PdfContent {
  std::map<std::string, std::string> information;
  std::string xmp;           // the metadata stream; none when empty
  bool deflateXmp = false;   // stored with /FlateDecode
  bool encrypted = false;    // AES-256 with the passwords below
  std::string userPassword;  // empty: opens without one
  std::string ownerPassword = "owner";
  int pages = 0;               // pages of some 4 KB of text each
  bool objectStreams = false;  // objects in object streams, a cross-reference stream
};

// `bytes` compressed as a PDF's /FlateDecode stream holds them.
std::string Deflated(const std::string& bytes);

// The bytes of a PDF file holding `content`.
std::string MakePdf(const PdfContent& content);

// An XMP packet with these properties written as elements (title and
// description as language alternatives, creators as a sequence).
std::string XmpPacket(const std::string& title, const std::string& description,
                      const std::string& creator, const std::string& createDate,
                      const std::string& modifyDate);

}  // namespace testsupport
