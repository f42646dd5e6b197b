#include "catalogue/core/NewerFormatReader.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "catalogue/core/DocumentFormatTable.h"
#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/RtfInformation.h"
#include "catalogue/core/W3cDateTime.h"
#include "catalogue/core/ZipDirectory.h"

namespace catalogue {

namespace {

// What is read of a file to tell its signature, when the compound-file
// reader has not read it already: as long as "{\rtf" and "<?xml".
constexpr std::size_t kLeadingBytes = 5;
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

NewerFormatReader::NewerFormatReader(NewerFormatSource& source, RegionalFormats formats,
                                     std::int64_t utcOffsetSeconds, PdfInformationSource* pdf)
    : source_(source),
      formats_(std::move(formats)),
      utcOffsetSeconds_(utcOffsetSeconds),
      pdf_(pdf) {}

// The reader of each signature, in the order they are tried: one row per
// kind of content (see DocumentFormatTable for the formats of each).
struct NewerFormatReader::SignatureReader {
  Signature signature;
  std::size_t searchedBytes;  // how far in the signature may stand
  Outcome (NewerFormatReader::*read)(const std::string& path, const std::string& fileName);
};

const NewerFormatReader::SignatureReader NewerFormatReader::kReaders[] = {
    {Signature::Zip, 0, &NewerFormatReader::ReadPackage},
    {Signature::Rtf, 0, &NewerFormatReader::ReadRtf},
    {Signature::Xml, 0, &NewerFormatReader::ReadFlatOpenDocument},
    {Signature::Pdf, kPdfHeaderSearch, &NewerFormatReader::ReadPdf},
};

NewerFormatReader::Outcome NewerFormatReader::Read(const std::string& path,
                                                   const std::string& fileName,
                                                   std::string leadingBytes) {
  if (leadingBytes.empty()) {
    leadingBytes = source_.ReadFileStart(path, kLeadingBytes).bytes;
  }
  for (const SignatureReader& reader : kReaders) {
    if (reader.signature == Signature::Pdf && pdf_ == nullptr) {
      continue;  // PDF files are read only through a PDF source
    }
    bool found =
        HasSignature(reader.signature, leadingBytes) ||
        (reader.searchedBytes > 0 &&
         HasSignature(reader.signature, source_.ReadFileStart(path, reader.searchedBytes).bytes));
    if (found) {
      return (this->*reader.read)(path, fileName);
    }
  }
  return {};
}

namespace {

NewerFormatReader::Outcome OutcomeOf(PackageRecord record) {
  NewerFormatReader::Outcome outcome;
  using Kind = NewerFormatReader::Outcome::Kind;
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

NewerFormatReader::Outcome NewerFormatReader::ReadFlatOpenDocument(const std::string& path,
                                                                   const std::string& fileName) {
  NewerFormatSource::FileStart start = source_.ReadFileStart(path, kMetadataPartLimit);
  if (!start.opened) {
    Outcome outcome;
    outcome.kind = Outcome::Kind::Damaged;
    outcome.damage = "ファイルを読み込めません";
    return outcome;
  }
  return OutcomeOf(ReadFlatOpenDocumentRecord(start.bytes, start.wholeFile, fileName, formats_,
                                              utcOffsetSeconds_));
}

NewerFormatReader::Outcome NewerFormatReader::ReadPdf(const std::string& path,
                                                      const std::string& fileName) {
  return OutcomeOf(
      PdfRecord(pdf_->ReadPdfInformation(path), fileName, formats_, utcOffsetSeconds_));
}

NewerFormatReader::Outcome NewerFormatReader::ReadPackage(const std::string& path,
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

NewerFormatReader::Outcome NewerFormatReader::ReadRtf(const std::string& path,
                                                      const std::string& fileName) {
  NewerFormatSource::FileStart start = source_.ReadFileStart(path, kRtfFirstRead);
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
