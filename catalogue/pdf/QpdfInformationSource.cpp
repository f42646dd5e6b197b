#include "catalogue/pdf/QpdfInformationSource.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <qpdf/BufferInputSource.hh>
#include <qpdf/FileInputSource.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <utility>

#include "catalogue/core/PackageMetadata.h"
#include "catalogue/pdf/DeadlineInputSource.h"
#include "catalogue/pdf/StructureBudget.h"

namespace catalogue {

namespace {

constexpr const char* kMsgCannotRead = "ファイルを読み込めません";
constexpr const char* kMsgDamaged = "PDF として読めません (相互参照表がないか壊れています)";
constexpr const char* kMsgUnsupported = "対応していない暗号化か形式の PDF です";
constexpr const char* kMsgInformationTooDeep =
    "文書情報に入れ子が深すぎる値があるため、文書情報を読み取りませんでした";
constexpr const char* kMsgInformationBroken =
    "文書情報 (/Info) が壊れているため読み取りませんでした";

// Keeps a stream's decoded bytes up to a limit and stops the decoding past
// it, so a small stream that inflates to gigabytes costs no more.
class CappedBytes : public Pipeline {
 public:
  struct Overflow {};
  explicit CappedBytes(std::size_t limit) : Pipeline("metadata", nullptr), limit_(limit) {}
  void write(unsigned char const* data, size_t len) override {
    if (len > limit_ - bytes_.size()) {
      overflowed_ = true;
      throw Overflow{};
    }
    bytes_.append(reinterpret_cast<const char*>(data), len);
  }
  void finish() override {}
  bool Overflowed() const { return overflowed_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::size_t limit_;
  std::string bytes_;
  bool overflowed_ = false;
};

std::optional<std::string> StringEntry(QPDFObjectHandle dictionary, const char* key) {
  QPDFObjectHandle value = dictionary.getKey(key);
  if (value.isString()) {
    return value.getStringValue();
  }
  return std::nullopt;
}

void ReadInformationDictionary(QPDF& pdf, PdfDocumentInformation& out) {
  QPDFObjectHandle trailer = pdf.getTrailer();
  QPDFObjectHandle info = trailer.getKey("/Info");
  if (!info.isDictionary()) {
    // A key with a null value reads as absent, so an information
    // dictionary that would not parse shows as a reference to nothing.
    if (info.isIndirect() || trailer.hasKey("/Info")) {
      // Named but unreadable: said, not passed over in silence.
      bool tooDeep = false;
      for (const QPDFExc& warning : pdf.getWarnings()) {
        tooDeep = tooDeep || std::string(warning.what()).find("deeply nested") != std::string::npos;
      }
      out.leftOut = tooDeep ? kMsgInformationTooDeep : kMsgInformationBroken;
    }
    return;
  }
  out.title = StringEntry(info, "/Title");
  out.author = StringEntry(info, "/Author");
  out.subject = StringEntry(info, "/Subject");
  out.keywords = StringEntry(info, "/Keywords");
  out.creationDate = StringEntry(info, "/CreationDate");
  out.modDate = StringEntry(info, "/ModDate");
}

void ReadMetadataStream(QPDF& pdf, PdfDocumentInformation& out) {
  QPDFObjectHandle metadata = pdf.getRoot().getKey("/Metadata");
  if (!metadata.isStream()) {
    return;
  }
  CappedBytes sink(kMetadataPartLimit);
  bool read = false;
  try {
    bool filtered = false;
    read = metadata.pipeStreamData(&sink, &filtered, 0, qpdf_dl_generalized, true);
  } catch (const CappedBytes::Overflow&) {
  }
  if (read && !sink.Overflowed()) {
    out.xmp = sink.Take();
  }
}

}  // namespace

QpdfInformationSource::QpdfInformationSource(std::shared_ptr<OpenedDocument> document,
                                             std::chrono::milliseconds deadline)
    : document_(std::move(document)), deadline_(deadline) {}

namespace {

// The file as qpdf reads it: from memory when it is small enough to be
// repaired (read once, so it cannot change under the parser), else from
// its descriptor. Null when it cannot be read.
std::shared_ptr<InputSource> SourceOf(const OpenedDocument& document,
                                      const OpenedDocument::File& file, const std::string& path,
                                      std::string& bytes) {
  if (file.size <= kPdfRecoveryLimit) {
    bytes = document.ReadAt(0, static_cast<std::size_t>(file.size));
    return std::make_shared<BufferInputSource>(path, bytes);
  }
  int fd = document.NewDescriptor();
  FILE* stream = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
  if (stream == nullptr) {
    if (fd >= 0) {
      ::close(fd);
    }
    return nullptr;
  }
  return std::make_shared<FileInputSource>(path.c_str(), stream, true);
}

}  // namespace

PdfDocumentInformation QpdfInformationSource::ReadPdfInformation(const std::string& path) {
  PdfDocumentInformation result;
  using Status = PdfDocumentInformation::Status;
  auto deadline = std::chrono::steady_clock::now() + deadline_;
  const OpenedDocument::File& file = document_->Open(path);
  std::string bytes;
  std::shared_ptr<InputSource> source = SourceOf(*document_, file, path, bytes);
  if (source == nullptr) {
    result.damage = kMsgCannotRead;
    return result;
  }
  bool inMemory = file.size <= kPdfRecoveryLimit;
  if (inMemory) {
    // Object and cross-reference streams weighed before qpdf decodes them.
    if (std::optional<std::string> beyond = StructureBeyondBudget(bytes)) {
      result.damage = *beyond;
      return result;
    }
  }
  QPDF pdf;
  pdf.setSuppressWarnings(true);
  pdf.setAttemptRecovery(inMemory);
  try {
    pdf.processInputSource(std::make_shared<DeadlineInputSource>(source, deadline));
  } catch (const DeadlineInputSource::PastDeadline&) {
    result.damage = TooLongMessage(deadline_);
    return result;
  } catch (const QPDFExc& e) {
    if (e.getErrorCode() == qpdf_e_password) {
      result.status = Status::PasswordProtected;
    } else {
      result.damage = e.getErrorCode() == qpdf_e_unsupported ? kMsgUnsupported : kMsgDamaged;
    }
    return result;
  } catch (const std::exception&) {
    result.damage = kMsgDamaged;
    return result;
  }
  result.status = Status::Read;
  // A damaged dictionary or stream leaves its fields empty; the rest is
  // still read.
  try {
    ReadInformationDictionary(pdf, result);
    ReadMetadataStream(pdf, result);
  } catch (const DeadlineInputSource::PastDeadline&) {
    result = PdfDocumentInformation{};
    result.damage = TooLongMessage(deadline_);
  } catch (const std::exception&) {
  }
  return result;
}

std::string TooLongMessage(std::chrono::milliseconds deadline) {
  return "読み取りに時間がかかりすぎるため中止しました (" +
         std::to_string((deadline.count() + 999) / 1000) + " 秒)";
}

}  // namespace catalogue
