#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/core/FileTimeText.h"
#include "catalogue/core/NewerFormatReader.h"
#include "catalogue/core/SummaryStreamSource.h"

namespace catalogue {

// Messages the reader shows.
inline constexpr const char* kMsgFileNotFound = "ファイルが見つかりません";
inline constexpr const char* kMsgUnsupportedFile = "未対応ファイルです";
inline constexpr const char* kMsgStorageOpenError = "Error StgOpenStorage";
inline constexpr const char* kMsgSetOpenError = "Error PropSetStg.Open";
inline constexpr const char* kMsgReadError = "Error PropStg.ReadMultiple";
// With the newer formats read, what the messages above leave in codes.
inline constexpr const char* kMsgPasswordProtected = "パスワードで保護されています";
inline constexpr const char* kMsgNoSummaryProperties = "文書プロパティ (概要情報) がありません";

// Turns one document into its record line. Documents are only read.
class DocumentReader {
 public:
  DocumentReader(SummaryStreamSource& source, MessageReporter& reporter,
                 RegionalFormats formats = {},
                 std::int64_t utcOffsetSeconds = CurrentUtcOffsetSeconds());

  // From now on a file that is not a compound file is read by its content
  // as an Office Open XML or OpenDocument package or an RTF file, instead
  // of being reported as not supported; a summary set is read leniently
  // (SummaryReading::Lenient); and a password-protected package or a
  // compound file without summary properties is said in words, not codes.
  // PDF files are read through `pdf` when it is given.
  void ReadNewerFormats(NewerFormatSource& source, PdfInformationSource* pdf = nullptr);

  // The record line of the document at `path` (file system bytes), or an
  // empty text after reporting why it cannot be read. A set that holds none
  // of the summary properties gives an empty text and no message. Whatever
  // read it, no field is longer than kRecordFieldLimit characters; a
  // document whose values were cut is noted once.
  std::string ReadDocumentRecord(const std::string& path);
  // The same with `name` (file system bytes) in the file-name field rather
  // than the name part of the path: a document of a subfolder is named by
  // its path from the folder scanned.
  std::string ReadDocumentRecord(const std::string& path, const std::string& name);
  // Documents fetched ahead (null: none) are read from `fetched`.
  void UseFetchedFiles(FetchedFiles* fetched) { source_.UseFetchedFiles(fetched); }
  // Where its messages go.
  MessageReporter& Reporter() const { return reporter_; }

 private:
  std::string ReadCappedRecord(const std::string& path, const std::string& nameField);
  std::string ReadRecordLine(const std::string& path, const std::string& nameField);
  void ReportFailure(const std::string& path, const char* message, HResult code);
  std::string ReadNewerFormat(const std::string& path, const std::string& nameField,
                              std::string leadingBytes);

  SummaryStreamSource& source_;
  MessageReporter& reporter_;
  RegionalFormats formats_;
  std::int64_t utcOffsetSeconds_;
  std::unique_ptr<NewerFormatReader> newerFormats_;
};

// The name part of a path (after the last "/"), as well-formed UTF-8.
std::string FileNameFieldOf(const std::string& path);

}  // namespace catalogue
