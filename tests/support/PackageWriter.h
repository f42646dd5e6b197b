#pragma once

#include <string>
#include <vector>

#include "tests/support/CompoundFileWriter.h"

namespace testsupport {

// Writes a ZIP archive holding the given parts (names may hold "/"), each
// compressed, with libgsf's writer. Throws std::runtime_error when it cannot.
void WriteZip(const std::string& path, const std::vector<NamedStream>& parts);

// The parts of a minimal Word 2007+ document whose core properties are
// `coreXml` (at docProps/core.xml, as Word writes it).
std::vector<NamedStream> DocxParts(const std::string& coreXml);

// The parts of a minimal OpenDocument text whose meta.xml is `metaXml`.
std::vector<NamedStream> OdtParts(const std::string& metaXml);

// A core-properties part with the usual namespace declarations around
// `elements`.
std::string CorePropertiesXml(const std::string& elements);

// An OpenDocument meta.xml with the usual declarations around the
// `elements` of its office:meta.
std::string OpenDocumentMetaXml(const std::string& elements);

}  // namespace testsupport
