#include "catalogue/ole/MsoleSummarySource.h"

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "catalogue/ole/GsfSupport.h"

namespace catalogue {

using catalogue::HResult;
using catalogue::SummaryStream;

namespace {

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr gsf_off_t kHeaderBytes = 512;
constexpr const char* kSummaryStreamName = "\005SummaryInformation";

std::string ParentOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The code for a file that cannot be opened, from errno.
HResult CodeOfOpenError(const std::string& path, int err) {
  switch (err) {
    case ENOENT: {
      struct stat st {};
      bool parentExists = ::stat(ParentOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      return parentExists ? catalogue::kSTG_E_FILENOTFOUND : catalogue::kSTG_E_PATHNOTFOUND;
    }
    case ENOTDIR:
    case ENAMETOOLONG: return catalogue::kSTG_E_PATHNOTFOUND;
    case EACCES:
    case EPERM:
    case EROFS: return catalogue::kSTG_E_ACCESSDENIED;
    default: return catalogue::kE_FAIL;
  }
}

}  // namespace

MsoleSummarySource::MsoleSummarySource(std::shared_ptr<OpenedDocument> document)
    : document_(std::move(document)) {
  InitialiseGsfOnce();
}

SummaryStream MsoleSummarySource::ReadSummaryStream(const std::string& path) {
  SummaryStream result;
  const OpenedDocument::File& file = document_->Open(path);
  if (file.fd < 0) {
    result.storageCode = CodeOfOpenError(path, file.error);
    return result;
  }
  if (!file.regular) {
    // Folders, pipes and devices are refused as Windows refuses folders:
    // reading a pipe could block and a device never ends. The check is on
    // the descriptor that would be read, opened without waiting.
    result.storageCode = catalogue::kSTG_E_ACCESSDENIED;
    return result;
  }

  GsfRef<GsfInput> input(NewGsfInput(*document_, path));
  if (input.get() == nullptr) {
    result.storageCode = CodeOfOpenError(path, EIO);
    return result;
  }

  // Only a file that starts with the compound-file signature is one; every
  // other file is reported as not supported, as Windows does (with its
  // first bytes, which tell a reader of other formats what it is).
  guint8 head[sizeof kSignature];
  gsf_off_t fileSize = gsf_input_size(input.get());
  auto headSize = static_cast<std::size_t>(std::clamp<gsf_off_t>(fileSize, 0, sizeof head));
  bool headRead = headSize > 0 && gsf_input_read(input.get(), headSize, head) != nullptr;
  if (fileSize < kHeaderBytes || !headRead || std::memcmp(head, kSignature, sizeof head) != 0) {
    result.storageCode = catalogue::kSTG_E_FILEALREADYEXISTS;
    if (headRead) {
      result.leadingBytes.assign(reinterpret_cast<const char*>(head), headSize);
    }
    return result;
  }
  if (gsf_input_seek(input.get(), 0, G_SEEK_SET)) {
    result.storageCode = catalogue::kSTG_E_READFAULT;
    return result;
  }

  GsfError oleError;
  GsfRef<GsfInfile> ole(gsf_infile_msole_new(input.get(), &oleError.error));
  if (ole.get() == nullptr) {
    result.storageCode = catalogue::kSTG_E_DOCFILECORRUPT;
    return result;
  }

  for (const char* name : {"EncryptionInfo", "EncryptedPackage"}) {
    GsfRef<GsfInput> part(gsf_infile_child_by_name(ole.get(), name));
    result.encryptedPackage = part.get() != nullptr;
    if (!result.encryptedPackage) {
      break;
    }
  }

  GsfRef<GsfInput> stream(gsf_infile_child_by_name(ole.get(), kSummaryStreamName));
  if (stream.get() == nullptr) {
    result.setCode = catalogue::kSTG_E_FILENOTFOUND;
    return result;
  }
  gsf_off_t size = gsf_input_size(stream.get());
  if (size < 0 || size > kMaxStreamBytes) {
    result.setCode = catalogue::kSTG_E_INSUFFICIENTMEMORY;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && gsf_input_read(stream.get(), static_cast<std::size_t>(size),
                                 reinterpret_cast<guint8*>(result.bytes.data())) == nullptr) {
    result.bytes.clear();
    result.setCode = catalogue::kSTG_E_READFAULT;
  }
  return result;
}

}  // namespace catalogue
