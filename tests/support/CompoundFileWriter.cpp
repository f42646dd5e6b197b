#include "tests/support/CompoundFileWriter.h"

#include "tests/support/GsfOutputFile.h"

namespace testsupport {

namespace {

void Check(bool ok, const std::string& step) {
  CheckGsfStep(ok, "compound file", step);
}

}  // namespace

void WriteCompoundFile(const std::string& path, const std::vector<NamedStream>& streams) {
  GsfOutput* file = CreateGsfOutputFile(path, "compound file");
  GsfOutfile* ole = gsf_outfile_msole_new(file);
  for (const NamedStream& stream : streams) {
    GsfOutput* child = gsf_outfile_new_child(ole, stream.first.c_str(), FALSE);
    Check(child != nullptr, "cannot add " + stream.first);
    Check(gsf_output_write(child, stream.second.size(),
                           reinterpret_cast<const guint8*>(stream.second.data())),
          "cannot write " + stream.first);
    gsf_output_close(child);
    g_object_unref(child);
  }
  // Closing the compound file closes the file beneath it too.
  bool closed = gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  g_object_unref(file);
  Check(closed, "cannot close " + path);
}

void WriteSummaryDocument(const std::string& path, const std::string& summaryStream) {
  WriteCompoundFile(path,
                    {{"WordDocument", std::string(64, '\0')}, {kSummaryStreamName, summaryStream}});
}

}  // namespace testsupport
