#pragma once

#include <gsf/gsf.h>

#include <string>

#include "catalogue/scan/OpenedDocument.h"

namespace catalogue {

// A libgsf input over the document's open regular file, read through the
// document's block cache on its one descriptor (never the path again);
// null when there is none. It reads nothing once another file is opened.
GsfInput* NewGsfInput(const OpenedDocument& document, const std::string& name);
// The same without the check that a regular file is open.
GsfInput* NewDocumentInput(const OpenedDocument& document, const std::string& name);

// libgsf once per process (its complaints about damaged files are
// silenced by each program's main: LibraryLogs.h).
void InitialiseGsfOnce();

// Releases a GObject on every path.
template <typename T>
class GsfRef {
 public:
  explicit GsfRef(T* p = nullptr) : p_(p) {}
  ~GsfRef() {
    if (p_ != nullptr) {
      g_object_unref(p_);
    }
  }
  GsfRef(const GsfRef&) = delete;
  GsfRef& operator=(const GsfRef&) = delete;
  T* get() const { return p_; }

 private:
  T* p_;
};

// A GError freed on every path.
struct GsfError {
  GError* error = nullptr;
  GsfError() = default;
  GsfError(const GsfError&) = delete;
  GsfError& operator=(const GsfError&) = delete;
  ~GsfError() {
    if (error != nullptr) {
      g_error_free(error);
    }
  }
};

}  // namespace catalogue
