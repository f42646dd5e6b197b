#include "catalogue/core/PackageAndRtfReader.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/RtfInformation.h"
#include "catalogue/core/W3cDateTime.h"
#include "catalogue/core/ZipDirectory.h"

namespace catalogue {

namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kRtfSignature = "{\\rtf";
// Most RTF files give their information in the first few kilobytes; the
// rest of the limit is read only when it is not all there (or not there
// at all: a long style sheet or font table may come first).
constexpr std::size_t kRtfFirstRead = 64 << 10;
// PDF readers look for the file's header this far in (some files start
// with a few bytes of something else).
constexpr std::size_t kPdfHeaderSearch = 1024;

std::string TimeText(const std::optional<CalendarTime>& t, const RegionalFormats& formats) {
  return t ? WrittenTimeText(*t, formats) : std::string();
}

}  // namespace

PackageAndRtfReader::PackageAndRtfReader(PackageAndRtfSource& source, RegionalFormats formats,
                                         std::int64_t utcOffsetSeconds, PdfInformationSource* pdf)
    : source_(source),
      formats_(std::move(formats)),
      utcOffsetSeconds_(utcOffsetSeconds),
      pdf_(pdf) {}

PackageAndRtfReader::Outcome PackageAndRtfReader::Read(const std::string& path,
                                                       const std::string& fileName,
                                                       std::string leadingBytes) {
  if (leadingBytes.empty()) {
    leadingBytes = source_.ReadFileStart(path, kRtfSignature.size()).bytes;
  }
  std::string_view head = leadingBytes;
  if (head.substr(0, kZipSignature.size()) == kZipSignature) {
    return ReadPackage(path, fileName);
  }
  if (head.substr(0, kRtfSignature.size()) == kRtfSignature) {
    return ReadRtf(path, fileName);
  }
  if (LooksLikeXml(head)) {
    return ReadFlatOpenDocument(path, fileName);
  }
  if (pdf_ != nullptr &&
      (LooksLikePdf(head) || LooksLikePdf(source_.ReadFileStart(path, kPdfHeaderSearch).bytes))) {
    return ReadPdf(path, fileName);
  }
  return {};
}

namespace {

PackageAndRtfReader::Outcome OutcomeOf(PackageRecord record) {
  PackageAndRtfReader::Outcome outcome;
  using Kind = PackageAndRtfReader::Outcome::Kind;
  if (!record.recognised) {
    return outcome;
  }
  if (record.passwordProtected) {
    outcome.kind = Kind::PasswordProtected;
  } else if (!record.damage.empty()) {
    outcome.kind = Kind::Damaged;
    outcome.damage = std::move(record.damage);
  } else {
    outcome.kind = Kind::Read;
    outcome.line = std::move(record.line);
    outcome.leftOut = std::move(record.leftOut);
  }
  return outcome;
}

}  // namespace

PackageAndRtfReader::Outcome PackageAndRtfReader::ReadFlatOpenDocument(
    const std::string& path, const std::string& fileName) {
  PackageAndRtfSource::FileStart start = source_.ReadFileStart(path, kMetadataPartLimit);
  if (!start.opened) {
    Outcome outcome;
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = "ファイルを読み込めません";
    return outcome;
  }
  return OutcomeOf(ReadFlatOpenDocumentRecord(start.bytes, start.wholeFile, fileName, formats_,
                                              utcOffsetSeconds_));
}

PackageAndRtfReader::Outcome PackageAndRtfReader::ReadPdf(const std::string& path,
                                                          const std::string& fileName) {
  return OutcomeOf(
      PdfRecord(pdf_->ReadPdfInformation(path), fileName, formats_, utcOffsetSeconds_));
}

PackageAndRtfReader::Outcome PackageAndRtfReader::ReadPackage(const std::string& path,
                                                              const std::string& fileName) {
  Outcome outcome;
  // The archive's own count of entries, before the ZIP library reads its
  // directory: an archive of a hundred thousand folders would take it
  // minutes.
  std::uint64_t size = source_.ReadFileStart(path, 0).fileSize;
  std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, kZipEndSearch));
  std::optional<ZipEntryCount> count =
      ReadZipEntryCount(source_.ReadFileRange(path, size - tailSize, tailSize), size,
                        [&](std::uint64_t offset, std::size_t bytes) {
                          return source_.ReadFileRange(path, offset, bytes);
                        });
  if (count && count->recordsDisagree) {
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = DisagreeingCountsMessage();
    return outcome;
  }
  if (count && count->entries > kPackageEntryLimit) {
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = TooManyEntriesMessage(count->entries);
    return outcome;
  }
  std::unique_ptr<DocumentPackage> package = source_.OpenPackage(path);
  if (!package) {
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = "ZIP 書庫として開けません (中央ディレクトリがないか壊れています)";
    return outcome;
  }
  return OutcomeOf(ReadPackageRecord(*package, fileName, formats_, utcOffsetSeconds_));
}

PackageAndRtfReader::Outcome PackageAndRtfReader::ReadRtf(const std::string& path,
                                                          const std::string& fileName) {
  PackageAndRtfSource::FileStart start = source_.ReadFileStart(path, kRtfFirstRead);
  RtfInformationResult result = ReadRtfInformation(start.bytes, start.wholeFile);
  if (result.outcome != RtfInformationResult::Outcome::Read && !start.wholeFile) {
    // The group ends (or starts: a long style sheet comes first) further on.
    start = source_.ReadFileStart(path, kRtfInformationReadLimit);
    result = ReadRtfInformation(start.bytes, start.wholeFile);
  }
  Outcome outcome;
  if (!start.opened) {
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = "ファイルを読み込めません";
    return outcome;
  }
  if (result.outcome == RtfInformationResult::Outcome::Damaged) {
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = result.damage;
    return outcome;
  }
  DocumentFields f;
  f[0] = fileName;
  if (result.outcome == RtfInformationResult::Outcome::Read) {
    const RtfInformation& info = result.information;
    f[1] = info.title;
    f[2] = TimeText(info.lastSaved, formats_);
    f[3] = info.subject;
    f[4] = info.author;
    f[5] = info.keywords;
    f[6] = info.comments;
    f[7] = info.lastAuthor;
    f[8] = info.revision;
    f[9] = TimeText(info.lastPrinted, formats_);
    f[10] = TimeText(info.created, formats_);
  }
  outcome.kind = Outcome::Kind::Read;
  outcome.line = JoinRecordLine(f);
  return outcome;
}

}  // namespace catalogue
