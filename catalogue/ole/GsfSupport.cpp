#include "catalogue/ole/GsfSupport.h"
#include "catalogue/ole/LibraryLogs.h"

#include <unistd.h>

#include <gsf/gsf-input-impl.h>

#include <cstdint>
#include <cstdio>
#include <string>

// A libgsf input that reads the open document through its block cache:
// the same descriptor, one request per 64 KiB however small libgsf's reads.
// It holds the document's generation and reads nothing once another file
// is open.
struct DocumentInput {
  GsfInput base;
  const catalogue::OpenedDocument* document;
  std::uint64_t generation;
  std::string* buffer;  // for reads without a buffer of the caller's
};
struct DocumentInputClass {
  GsfInputClass base;
};

G_DEFINE_TYPE(DocumentInput, document_input, GSF_INPUT_TYPE)

namespace {

GsfInput* MakeDocumentInput(const catalogue::OpenedDocument& document, const char* name,
                            gsf_off_t size) {
  auto* input = static_cast<DocumentInput*>(g_object_new(document_input_get_type(), nullptr));
  input->document = &document;
  input->generation = document.Generation();
  gsf_input_set_size(GSF_INPUT(input), size);
  gsf_input_set_name(GSF_INPUT(input), name);
  return GSF_INPUT(input);
}

GsfInput* DocumentInputDup(GsfInput* source, GError**) {
  auto* self = reinterpret_cast<DocumentInput*>(source);
  GsfInput* copy = MakeDocumentInput(*self->document, gsf_input_name(source), source->size);
  reinterpret_cast<DocumentInput*>(copy)->generation = self->generation;
  return copy;
}

const guint8* DocumentInputRead(GsfInput* input, size_t bytes, guint8* buffer) {
  auto* self = reinterpret_cast<DocumentInput*>(input);
  if (self->document->Generation() != self->generation) {
    return nullptr;  // another file is open now
  }
  if (buffer == nullptr) {
    self->buffer->resize(bytes);
    buffer = reinterpret_cast<guint8*>(self->buffer->data());
  }
  std::size_t got = self->document->ReadInto(static_cast<std::uint64_t>(input->cur_offset), bytes,
                                             reinterpret_cast<char*>(buffer));
  return got == bytes ? buffer : nullptr;
}

gboolean DocumentInputSeek(GsfInput*, gsf_off_t, GSeekType) {
  return FALSE;  // every place of the file can be read; libgsf keeps the offset
}

void DocumentInputFinalize(GObject* object) {
  delete reinterpret_cast<DocumentInput*>(object)->buffer;
  G_OBJECT_CLASS(document_input_parent_class)->finalize(object);
}

}  // namespace

static void document_input_init(DocumentInput* input) {
  input->document = nullptr;
  input->generation = 0;
  input->buffer = new std::string;
}

static void document_input_class_init(DocumentInputClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = DocumentInputFinalize;
  GsfInputClass* input = GSF_INPUT_CLASS(klass);
  input->Dup = DocumentInputDup;
  input->Read = DocumentInputRead;
  input->Seek = DocumentInputSeek;
}

namespace catalogue {

GsfInput* NewDocumentInput(const OpenedDocument& document, const std::string& name) {
  return MakeDocumentInput(document, name.c_str(), static_cast<gsf_off_t>(document.Current().size));
}

namespace {

void IgnoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void IgnorePrinted(const gchar*) {}

}  // namespace

void QuietLibraryLogs() {
  auto levels =
      static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
  for (const char* domain : {"libgsf:msole", "libgsf:zip", "libgsf", "libgsf:utils", "GLib-GObject",
                             "GLib", "GLib-GIO"}) {
    g_log_set_handler(domain, levels, IgnoreLog, nullptr);
  }
  g_log_set_handler(nullptr, levels, IgnoreLog, nullptr);
  g_set_printerr_handler(IgnorePrinted);
}

void InitialiseGsfOnce() {
  static const bool done = [] {
    gsf_init();
    return true;
  }();
  (void)done;
}

GsfInput* NewGsfInput(const OpenedDocument& document, const std::string& name) {
  if (!document.Current().regular) {
    return nullptr;
  }
  return NewDocumentInput(document, name);
}

}  // namespace catalogue
