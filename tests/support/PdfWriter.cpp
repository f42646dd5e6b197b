#include "tests/support/PdfWriter.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace testsupport {

std::string Deflated(const std::string& bytes) {
  std::string out;
  Pl_String sink("deflated", nullptr, out);
  Pl_Flate flate("deflate", &sink, Pl_Flate::a_deflate);
  flate.write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  flate.finish();
  return out;
}

namespace {

void AddPages(QPDF& pdf, int count) {
  QPDFObjectHandle pages = pdf.getRoot().getKey("/Pages");
  QPDFObjectHandle kids = QPDFObjectHandle::newArray();
  std::string text;
  for (int line = 0; text.size() < 4000; ++line) {
    text += "BT /F1 10 Tf 72 " + std::to_string(800 - line * 12 % 760) + " Td (Line " +
            std::to_string(line) + " of the sample page.) Tj ET\n";
  }
  for (int i = 0; i < count; ++i) {
    QPDFObjectHandle contents = pdf.newStream(text);
    QPDFObjectHandle page = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 595 842] /Resources << >> >>"));
    page.replaceKey("/Parent", pages);
    page.replaceKey("/Contents", contents);
    kids.appendItem(page);
  }
  pages.replaceKey("/Kids", kids);
  pages.replaceKey("/Count", QPDFObjectHandle::newInteger(count));
}

}  // namespace

std::string MakePdf(const PdfContent& content) {
  QPDF pdf;
  pdf.emptyPDF();
  QPDFObjectHandle info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
  for (const auto& [key, value] : content.information) {
    info.replaceKey("/" + key, QPDFObjectHandle::newString(value));
  }
  pdf.getTrailer().replaceKey("/Info", info);
  if (!content.xmp.empty()) {
    QPDFObjectHandle stream = pdf.newStream();
    if (content.deflateXmp) {
      stream.replaceStreamData(Deflated(content.xmp), QPDFObjectHandle::newName("/FlateDecode"),
                               QPDFObjectHandle::newNull());
    } else {
      stream.replaceStreamData(content.xmp, QPDFObjectHandle::newNull(),
                               QPDFObjectHandle::newNull());
    }
    stream.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    stream.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    pdf.getRoot().replaceKey("/Metadata", stream);
  }
  AddPages(pdf, content.pages);
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.setStaticID(true);
  writer.setCompressStreams(false);
  writer.setDecodeLevel(qpdf_dl_none);
  writer.setObjectStreamMode(content.objectStreams ? qpdf_o_generate : qpdf_o_disable);
  if (content.encrypted) {
    writer.setStaticAesIV(true);
    writer.setR6EncryptionParameters(content.userPassword.c_str(), content.ownerPassword.c_str(),
                                     true, true, true, true, true, true, qpdf_r3p_full, true);
  }
  writer.write();
  std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

std::string XmpPacket(const std::string& title, const std::string& description,
                      const std::string& creator, const std::string& createDate,
                      const std::string& modifyDate) {
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
         "   <dc:title><rdf:Alt><rdf:li xml:lang=\"en\">English</rdf:li>"
         "<rdf:li xml:lang=\"x-default\">" +
         title +
         "</rdf:li></rdf:Alt></dc:title>\n"
         "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
         description +
         "</rdf:li></rdf:Alt></dc:description>\n"
         "   <dc:creator><rdf:Seq><rdf:li>" +
         creator +
         "</rdf:li></rdf:Seq></dc:creator>\n"
         "  </rdf:Description>\n"
         "  <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"\n"
         "    xmp:CreateDate=\"" +
         createDate + "\" xmp:ModifyDate=\"" + modifyDate +
         "\"/>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end=\"w\"?>";
}

}  // namespace testsupport
