#include "tests/support/PackageWriter.h"

#include <map>

#include "tests/support/GsfOutputFile.h"

namespace testsupport {

namespace {

void Check(bool ok, const std::string& step) {
  CheckGsfStep(ok, "zip", step);
}

}  // namespace

void WriteZip(const std::string& path, const std::vector<NamedStream>& parts) {
  GsfOutput* file = CreateGsfOutputFile(path, "zip");
  GError* error = nullptr;
  GsfOutfile* zip = gsf_outfile_zip_new(file, &error);
  if (error != nullptr) {
    g_error_free(error);
  }
  Check(zip != nullptr, "cannot start " + path);
  // Folders made on the way, closed after the parts in them.
  std::map<std::string, GsfOutfile*> folders;
  std::vector<GsfOutfile*> madeFolders;
  for (const NamedStream& part : parts) {
    GsfOutfile* parent = zip;
    std::string folder;
    std::size_t start = 0;
    for (std::size_t slash; (slash = part.first.find('/', start)) != std::string::npos;
         start = slash + 1) {
      folder = part.first.substr(0, slash);
      auto found = folders.find(folder);
      if (found == folders.end()) {
        GsfOutput* made =
            gsf_outfile_new_child(parent, part.first.substr(start, slash - start).c_str(), TRUE);
        Check(made != nullptr, "cannot add folder " + folder);
        found = folders.emplace(folder, GSF_OUTFILE(made)).first;
        madeFolders.push_back(GSF_OUTFILE(made));
      }
      parent = found->second;
    }
    GsfOutput* child = gsf_outfile_new_child_full(parent, part.first.substr(start).c_str(), FALSE,
                                                  "compression-level", GSF_ZIP_DEFLATED, nullptr);
    Check(child != nullptr, "cannot add " + part.first);
    Check(gsf_output_write(child, part.second.size(),
                           reinterpret_cast<const guint8*>(part.second.data())),
          "cannot write " + part.first);
    gsf_output_close(child);
    g_object_unref(child);
  }
  for (auto it = madeFolders.rbegin(); it != madeFolders.rend(); ++it) {
    gsf_output_close(GSF_OUTPUT(*it));
    g_object_unref(*it);
  }
  bool closed = gsf_output_close(GSF_OUTPUT(zip));
  g_object_unref(zip);
  g_object_unref(file);
  Check(closed, "cannot close " + path);
}

std::vector<NamedStream> DocxParts(const std::string& coreXml) {
  return {
      {"[Content_Types].xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
      {"_rels/.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
       "relationships/officeDocument\" Target=\"word/document.xml\"/>"
       "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
       "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
       "</Relationships>"},
      {"word/document.xml", "<w:document xmlns:w=\"urn:w\"/>"},
      {"docProps/core.xml", coreXml},
  };
}

std::vector<NamedStream> OdtParts(const std::string& metaXml) {
  return {
      {"mimetype", "application/vnd.oasis.opendocument.text"},
      {"content.xml", "<office:document-content xmlns:office=\"urn:o\"/>"},
      {"meta.xml", metaXml},
  };
}

std::string CorePropertiesXml(const std::string& elements) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<cp:coreProperties "
         "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
         "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
         "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">" +
         elements + "</cp:coreProperties>";
}

std::string OpenDocumentMetaXml(const std::string& elements) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<office:document-meta xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" office:version=\"1.3\"><office:meta>" +
         elements + "</office:meta></office:document-meta>";
}

}  // namespace testsupport
