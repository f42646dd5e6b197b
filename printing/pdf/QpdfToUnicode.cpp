#include "printing/pdf/QpdfToUnicode.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <exception>
#include <map>
#include <optional>

#include "printing/core/PdfTrailer.h"

namespace printing {

namespace {

// The new maps of the fonts `missing` names, by the map's object number.
std::map<unsigned long long, std::string> ChangedMaps(std::string_view pdf,
                                                      const MissingCharacters& missing) {
  QPDF file;
  file.setSuppressWarnings(true);
  file.setAttemptRecovery(false);  // a file that needs repairing is left alone
  file.processMemoryFile("printed PDF", pdf.data(), pdf.size());
  std::map<unsigned long long, std::string> maps;
  for (QPDFObjectHandle object : file.getAllObjects()) {
    if (!object.isDictionary() || !object.getKey("/Subtype").isNameAndEquals("/Type0")) {
      continue;
    }
    QPDFObjectHandle base = object.getKey("/BaseFont");
    QPDFObjectHandle map = object.getKey("/ToUnicode");
    if (!base.isName() || !map.isStream() || !map.isIndirect() || map.getGeneration() != 0) {
      continue;
    }
    auto characters = missing.find(base.getName().substr(1));
    if (characters == missing.end() || characters->second.empty()) {
      continue;
    }
    std::shared_ptr<Buffer> data = map.getStreamData(qpdf_dl_generalized);
    std::string_view cmap(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    if (std::optional<std::string> changed = WithCharacters(cmap, characters->second)) {
      maps[static_cast<unsigned long long>(map.getObjectID())] = std::move(*changed);
    }
  }
  return maps;
}

}  // namespace

std::string ToUnicodeUpdate(std::string_view pdf, const MissingCharacters& missing) {
  // The update goes after the last cross-reference table, which it names.
  std::optional<PdfTrailer> trailer = ReadPdfTrailer(pdf);
  if (!trailer || missing.empty()) {
    return {};
  }
  try {
    return MapsUpdate(pdf, *trailer, ChangedMaps(pdf, missing));
  } catch (const std::exception&) {
    return {};  // not a PDF qpdf reads whole: left as it is
  }
}

}  // namespace printing
