#pragma once

#include <map>
#include <string>
#include <vector>

#include "catalogue/core/SummaryStreamSource.h"

namespace catalogue::fakes {

// A compound-file service answering from a table: path -> result. Paths not
// in the table are missing files.
class FakeSource : public SummaryStreamSource {
 public:
  std::map<std::string, SummaryStream> files;
  std::vector<std::string> opened;

  SummaryStream ReadSummaryStream(const std::string& path) override {
    opened.push_back(path);
    auto it = files.find(path);
    if (it == files.end()) {
      SummaryStream missing;
      missing.storageCode = kSTG_E_FILENOTFOUND;
      return missing;
    }
    return it->second;
  }
};

class RecordingReporter : public MessageReporter {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> paths;  // the document of each message
  void ShowMessage(const std::string& path, const std::string& text) override {
    paths.push_back(path);
    messages.push_back(text);
  }
  std::vector<std::string> cut;  // the documents whose values were cut
  void NoteValuesCut(const std::string& path) override { cut.push_back(path); }
  std::vector<std::string> leftOut;  // what was left out of documents read
  void NoteLeftOut(const std::string& path, const std::string& text) override {
    leftOut.push_back(path + ": " + text);
  }
};

inline SummaryStream StreamOf(const std::string& bytes) {
  SummaryStream s;
  s.bytes = bytes;
  return s;
}

inline SummaryStream FailedOpen(HResult code) {
  SummaryStream s;
  s.storageCode = code;
  return s;
}

}  // namespace catalogue::fakes
