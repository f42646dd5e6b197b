#include "platform/text/Iconv.h"

#include <iconv.h>
#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>

namespace platform {

namespace {

iconv_t Handle(void* h) {
  return static_cast<iconv_t>(h);
}

}  // namespace

Iconv::Iconv(const char* to, const char* from)
    : handle_(iconv_open(to, from)), open_(handle_ != reinterpret_cast<iconv_t>(-1)) {}

Iconv::~Iconv() {
  if (IsOpen()) {
    iconv_close(Handle(handle_));
  }
}

std::size_t Iconv::Convert(std::string_view in, std::string& out, std::size_t skip,
                           std::string_view replacement) const {
  if (!IsOpen()) {
    return 0;
  }
  std::size_t replaced = 0;
  iconv_t cd = Handle(handle_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);

  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  // `out` holds room beyond `used`; it only ever grows, by doubling, so the
  // whole conversion is linear however many replacements it makes.
  std::size_t used = out.size();
  out.resize(used + in.size() * 2 + 16);
  auto room = [&](std::size_t needed) {
    if (out.size() - used < needed) {
      out.resize(std::max(out.size() * 2, used + needed) + 16);
    }
  };

  auto run = [&](char** s, std::size_t* sLeft) {
    char* dst = out.data() + used;
    std::size_t dstLeft = out.size() - used;
    std::size_t r = iconv(cd, s, sLeft, &dst, &dstLeft);
    int err = (r == static_cast<std::size_t>(-1)) ? errno : 0;
    used = out.size() - dstLeft;
    return err;
  };
  // Runs until the output had room for everything.
  auto runWithRoom = [&](char** s, std::size_t* sLeft) {
    int err = run(s, sLeft);
    while (err == E2BIG) {
      room(out.size() - used + 1);  // doubles
      err = run(s, sLeft);
    }
    return err;
  };

  for (;;) {
    int err = runWithRoom(&src, &srcLeft);
    if (err == 0) {
      break;
    }
    // EILSEQ: a sequence the source cannot decode or the target cannot hold.
    // EINVAL: the text ends inside a sequence. Both become the replacement,
    // after whatever the decoder still holds from before it.
    runWithRoom(nullptr, nullptr);
    room(replacement.size());
    out.replace(used, replacement.size(), replacement);
    used += replacement.size();
    ++replaced;
    if (err != EILSEQ) {
      break;
    }
    std::size_t n = skip < srcLeft ? skip : srcLeft;
    src += n;
    srcLeft -= n;
  }
  // Flush whatever the decoder still holds.
  runWithRoom(nullptr, nullptr);
  out.resize(used);
  return replaced;
}

std::string_view Iconv::WideQuestionMark() {
  static const wchar_t mark = L'?';
  return std::string_view(reinterpret_cast<const char*>(&mark), sizeof mark);
}

const Iconv* Iconv::Cached(const std::string& to, const std::string& from) {
  thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Iconv>> cache;
  auto key = std::make_pair(to, from);
  auto it = cache.find(key);
  if (it == cache.end()) {
    it = cache.emplace(key, std::make_unique<Iconv>(to.c_str(), from.c_str())).first;
  }
  return it->second->IsOpen() ? it->second.get() : nullptr;
}

}  // namespace platform
