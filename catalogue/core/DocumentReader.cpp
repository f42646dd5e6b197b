#include "catalogue/core/DocumentReader.h"

#include <new>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/PropertySetParser.h"
#include "platform/text/Utf8.h"

namespace catalogue {

DocumentReader::DocumentReader(SummaryStreamSource& source, MessageReporter& reporter,
                               RegionalFormats formats, std::int64_t utcOffsetSeconds)
    : source_(source),
      reporter_(reporter),
      formats_(std::move(formats)),
      utcOffsetSeconds_(utcOffsetSeconds) {}

void DocumentReader::ReportFailure(const std::string& path, const char* message, HResult code) {
  reporter_.ShowMessage(path, std::string(message) + "\r\n" + HResultLine(code));
}

void DocumentReader::ReadNewerFormats(NewerFormatSource& source, PdfInformationSource* pdf) {
  newerFormats_ = std::make_unique<NewerFormatReader>(source, formats_, utcOffsetSeconds_, pdf);
}

std::string DocumentReader::ReadNewerFormat(const std::string& path, const std::string& nameField,
                                            std::string leadingBytes) {
  NewerFormatReader::Outcome outcome;
  try {
    outcome = newerFormats_->Read(path, nameField, std::move(leadingBytes));
  } catch (const std::bad_alloc&) {
    outcome.kind = NewerFormatReader::Outcome::Kind::Damaged;
    outcome.damage = "メモリが足りません";
  }
  switch (outcome.kind) {
    case NewerFormatReader::Outcome::Kind::Read:
      if (!outcome.leftOut.empty()) {
        reporter_.NoteLeftOut(path, outcome.leftOut);
      }
      return outcome.line;
    case NewerFormatReader::Outcome::Kind::Damaged:
      reporter_.ShowMessage(path, std::string(kMsgInformationUnreadable) + "\r\n" + outcome.damage);
      return {};
    case NewerFormatReader::Outcome::Kind::PasswordProtected:
      reporter_.ShowMessage(path, kMsgPasswordProtected);
      return {};
    case NewerFormatReader::Outcome::Kind::Unsupported: break;
  }
  reporter_.ShowMessage(path, kMsgUnsupportedFile);
  return {};
}

std::string DocumentReader::ReadDocumentRecord(const std::string& path) {
  return ReadCappedRecord(path, FileNameFieldOf(path));
}

std::string DocumentReader::ReadDocumentRecord(const std::string& path, const std::string& name) {
  return ReadCappedRecord(path, platform::ValidUtf8(name));
}

std::string DocumentReader::ReadCappedRecord(const std::string& path,
                                             const std::string& nameField) {
  std::string line = ReadRecordLine(path, nameField);
  if (CapRecordFields(line)) {
    reporter_.NoteValuesCut(path);
  }
  return line;
}

std::string DocumentReader::ReadRecordLine(const std::string& path, const std::string& nameField) {
  SummaryStream stream = source_.ReadSummaryStream(path);
  if (Failed(stream.storageCode)) {
    if (stream.storageCode == kSTG_E_FILENOTFOUND) {
      reporter_.ShowMessage(path, kMsgFileNotFound);
    } else if (stream.storageCode == kSTG_E_FILEALREADYEXISTS && newerFormats_) {
      return ReadNewerFormat(path, nameField, std::move(stream.leadingBytes));
    } else if (stream.storageCode == kSTG_E_FILEALREADYEXISTS) {
      reporter_.ShowMessage(path, kMsgUnsupportedFile);
    } else {
      ReportFailure(path, kMsgStorageOpenError, stream.storageCode);
    }
    return {};
  }
  if (newerFormats_ && stream.encryptedPackage) {
    reporter_.ShowMessage(path, kMsgPasswordProtected);
    return {};
  }
  bool noSet = stream.setCode == kSTG_E_FILENOTFOUND;
  if (newerFormats_ && noSet) {
    reporter_.ShowMessage(path, kMsgNoSummaryProperties);
    return {};
  }
  if (Failed(stream.setCode)) {
    ReportFailure(path, kMsgSetOpenError, stream.setCode);
    return {};
  }

  PropertySetReadResult set;
  SummaryReading reading = newerFormats_ ? SummaryReading::Lenient : SummaryReading::Classic;
  try {
    set = ReadSummaryProperties(stream.bytes, reading);
  } catch (const std::bad_alloc&) {
    ReportFailure(path, kMsgReadError, kSTG_E_INSUFFICIENTMEMORY);
    return {};
  }
  if (newerFormats_ && set.code == kSTG_E_FILENOTFOUND) {
    reporter_.ShowMessage(path, kMsgNoSummaryProperties);  // a set of other properties only
    return {};
  }
  if (Failed(set.code)) {
    // The set is checked whole when it is opened, so its faults show as a
    // failed open.
    ReportFailure(path, kMsgSetOpenError, set.code);
    return {};
  }
  if (set.code == kS_FALSE) {
    return {};
  }
  return BuildDocumentRecord(set.values, nameField, formats_, utcOffsetSeconds_);
}

std::string FileNameFieldOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string_view name = slash == std::string::npos ? std::string_view(path)
                                                     : std::string_view(path).substr(slash + 1);
  return platform::ValidUtf8(name);
}

}  // namespace catalogue
