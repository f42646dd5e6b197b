#include "catalogue/ole/ZipPackageSource.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "catalogue/ole/GsfSupport.h"

namespace catalogue {

using catalogue::DocumentPackage;

namespace {

constexpr std::size_t kReadChunk = 64 << 10;

bool SameFolded(const char* a, const std::string& b) {
  std::size_t i = 0;
  for (; a[i] != '\0' && i < b.size(); ++i) {
    if (g_ascii_tolower(a[i]) != g_ascii_tolower(b[i])) {
      return false;
    }
  }
  return a[i] == '\0' && i == b.size();
}

// The index of the child of `dir` named `name`: the exact name first, else
// the first whose name differs only in the case of ASCII letters; -1 when
// there is none.
int ChildIndex(GsfInfile* dir, const std::string& name) {
  int count = gsf_infile_num_children(dir);
  int folded = -1;
  for (int i = 0; i < count; ++i) {
    const char* childName = gsf_infile_name_by_index(dir, i);
    if (childName == nullptr) {
      continue;
    }
    if (name == childName) {
      return i;
    }
    if (folded < 0 && SameFolded(childName, name)) {
      folded = i;
    }
  }
  return folded;
}

std::vector<std::string> Segments(const std::string& name) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t slash = name.find('/', start);
    std::size_t end = slash == std::string::npos ? name.size() : slash;
    if (end > start) {
      segments.push_back(name.substr(start, end - start));
    }
    if (slash == std::string::npos) {
      break;
    }
    start = slash + 1;
  }
  return segments;
}

class GsfZipPackage : public DocumentPackage {
 public:
  GsfZipPackage(GsfInput* file, GsfInfile* zip) : file_(file), zip_(zip) {}

  Part ReadPart(const std::string& name, std::size_t maxBytes) override {
    Part part;
    std::vector<std::string> segments = Segments(name);
    if (segments.empty()) {
      return part;
    }
    // Each step down holds a reference to its child.
    std::vector<std::unique_ptr<GsfRef<GsfInput>>> path;
    GsfInfile* dir = zip_.get();
    for (std::size_t i = 0; i < segments.size(); ++i) {
      int index = ChildIndex(dir, segments[i]);
      if (index < 0) {
        return part;
      }
      GsfInput* child = gsf_infile_child_by_index(dir, index);
      if (child == nullptr) {
        part.status = Part::Status::Damaged;  // listed, but its entry cannot be opened
        return part;
      }
      path.push_back(std::make_unique<GsfRef<GsfInput>>(child));
      bool last = i + 1 == segments.size();
      bool isDir = GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0;
      if (last == isDir) {
        return part;  // a folder where a part was asked for, or the reverse
      }
      if (!last) {
        dir = GSF_INFILE(child);
      }
    }
    GsfInput* input = path.back()->get();
    part.status = Part::Status::Read;
    if (maxBytes == 0) {
      // Only whether it is there: nothing to decompress.
      part.complete = gsf_input_size(input) == 0;
      return part;
    }
    // Read no more than asked (and one byte to learn whether there is more),
    // whatever size the archive claims.
    std::size_t want = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
    for (;;) {
      gsf_off_t left = gsf_input_remaining(input);
      if (left <= 0 || part.bytes.size() >= want) {
        break;
      }
      std::size_t n =
          std::min({kReadChunk, want - part.bytes.size(), static_cast<std::size_t>(left)});
      std::size_t at = part.bytes.size();
      part.bytes.resize(at + n);
      if (gsf_input_read(input, n, reinterpret_cast<guint8*>(part.bytes.data() + at)) == nullptr) {
        part.bytes.clear();
        part.status = Part::Status::Damaged;
        return part;
      }
    }
    if (part.bytes.size() > maxBytes) {
      part.bytes.resize(maxBytes);
      part.complete = false;
    }
    return part;
  }

 private:
  GsfRef<GsfInput> file_;
  GsfRef<GsfInfile> zip_;
};

}  // namespace

ZipPackageSource::ZipPackageSource(std::shared_ptr<OpenedDocument> document)
    : document_(std::move(document)) {
  InitialiseGsfOnce();
}

catalogue::NewerFormatSource::FileStart ZipPackageSource::ReadFileStart(const std::string& path,
                                                                        std::size_t maxBytes) {
  FileStart start;
  const OpenedDocument::File& file = document_->Open(path);
  if (!file.regular) {
    return start;
  }
  start.bytes = document_->ReadAt(0, maxBytes);
  start.opened = true;
  start.fileSize = file.size;
  start.wholeFile = start.bytes.size() >= file.size;
  return start;
}

std::string ZipPackageSource::ReadFileRange(const std::string& path, std::uint64_t offset,
                                            std::size_t size) {
  document_->Open(path);
  return document_->ReadAt(offset, size);
}

std::unique_ptr<DocumentPackage> ZipPackageSource::OpenPackage(const std::string& path) {
  document_->Open(path);
  GsfInput* file = NewGsfInput(*document_, path);
  if (file == nullptr) {
    return nullptr;
  }
  GsfError zipError;
  GsfInfile* zip = gsf_infile_zip_new(file, &zipError.error);
  if (zip == nullptr) {
    g_object_unref(file);
    return nullptr;
  }
  return std::make_unique<GsfZipPackage>(file, zip);
}

}  // namespace catalogue
