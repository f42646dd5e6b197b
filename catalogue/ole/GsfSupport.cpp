#include "catalogue/ole/GsfSupport.h"

#include <unistd.h>

#include <cstdio>

namespace catalogue {

namespace {

void IgnoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void IgnorePrinted(const gchar*) {}

}  // namespace

// libgsf logs under its own domains and, from some of its files, under
// GLib's default one (no domain), and a damaged file can make GObject and
// GLib itself complain too (a date libgsf failed to make, freed). Its ZIP reader also prints what
// it finds wrong with a damaged archive straight to stderr.
void InitialiseGsfOnce() {
  static const bool done = [] {
    gsf_init();
    auto levels =
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
    for (const char* domain : {"libgsf:msole", "libgsf:zip", "libgsf", "libgsf:utils",
                               "GLib-GObject", "GLib", "GLib-GIO"}) {
      g_log_set_handler(domain, levels, IgnoreLog, nullptr);
    }
    g_log_set_handler(nullptr, levels, IgnoreLog, nullptr);
    g_set_printerr_handler(IgnorePrinted);
    return true;
  }();
  (void)done;
}

GsfInput* NewGsfInput(const OpenedDocument& document, const std::string& name) {
  int fd = document.NewDescriptor();
  if (fd < 0) {
    return nullptr;
  }
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) {
    ::close(fd);
    return nullptr;
  }
  // libgsf closes the stream when the input goes; it does not take a stream
  // it refuses.
  GsfInput* input = gsf_input_stdio_new_FILE(name.c_str(), stream, FALSE);
  if (input == nullptr) {
    std::fclose(stream);
  }
  return input;
}

}  // namespace catalogue
