#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A stream of a compound file: its name and bytes.
using NamedStream = std::pair<std::string, std::string>;

// Writes a compound file holding the given streams at its root, with
// libgsf's writer. Throws std::runtime_error when it cannot.
void WriteCompoundFile(const std::string& path, const std::vector<NamedStream>& streams);

// The name of the summary-information stream.
inline const std::string kSummaryStreamName = "\005SummaryInformation";

// A compound file whose only meaningful stream is the given summary set
// (plus a small "WordDocument" stream, as a word processor would write).
void WriteSummaryDocument(const std::string& path, const std::string& summaryStream);

}  // namespace testsupport
