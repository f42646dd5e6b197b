#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/core/FileTimeText.h"
#include "catalogue/core/PackageMetadata.h"
#include "catalogue/core/PdfInformation.h"

namespace catalogue {

// The file services the newer formats' reader needs.
class NewerFormatSource {
 public:
  struct FileStart {
    bool opened = false;  // false: the file cannot be read
    std::string bytes;    // at most the bytes asked for
    bool wholeFile = true;
    std::uint64_t fileSize = 0;
  };
  virtual ~NewerFormatSource() = default;
  // The first `maxBytes` bytes of a regular file (file system bytes path).
  virtual FileStart ReadFileStart(const std::string& path, std::size_t maxBytes) = 0;
  // `size` bytes from `offset` of the file (fewer at its end; none when it
  // cannot be read).
  virtual std::string ReadFileRange(const std::string& path, std::uint64_t offset,
                                    std::size_t size) = 0;
  // The file as a ZIP archive; null when it cannot be opened as one (its
  // central directory missing or damaged).
  virtual std::unique_ptr<DocumentPackage> OpenPackage(const std::string& path) = 0;
};

// The message heading for a document of a newer format whose information
// cannot be read; the reason follows on the next line.
inline constexpr const char* kMsgInformationUnreadable = "文書情報を読み取れません";

// Reads the documents that are not compound files: Office Open XML and
// OpenDocument packages, flat OpenDocument files, RTF and (with `pdf`) PDF
// files, told apart by their first bytes (their Signature, one reader
// each; DocumentFormatTable lists the formats).
class NewerFormatReader {
 public:
  NewerFormatReader(NewerFormatSource& source, RegionalFormats formats,
                    std::int64_t utcOffsetSeconds, PdfInformationSource* pdf = nullptr);

  struct Outcome {
    enum class Kind { Unsupported, Read, Damaged, PasswordProtected };
    Kind kind = Kind::Unsupported;
    std::string line;     // when Read
    std::string damage;   // when Damaged: the reason (UTF-8)
    std::string leftOut;  // when Read: what was left out of it, if anything
  };
  // `leadingBytes`: the file's first bytes, up to 8, as far as known (the
  // compound-file reader has read them already); read here when empty.
  Outcome Read(const std::string& path, const std::string& fileName, std::string leadingBytes = {});

 private:
  struct SignatureReader;
  static const SignatureReader kReaders[];

  Outcome ReadPackage(const std::string& path, const std::string& fileName);
  Outcome ReadRtf(const std::string& path, const std::string& fileName);
  Outcome ReadFlatOpenDocument(const std::string& path, const std::string& fileName);
  Outcome ReadPdf(const std::string& path, const std::string& fileName);

  NewerFormatSource& source_;
  RegionalFormats formats_;
  std::int64_t utcOffsetSeconds_;
  PdfInformationSource* pdf_;
};

}  // namespace catalogue
