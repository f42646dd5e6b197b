#pragma once

#include <string>
#include <string_view>

namespace platform {

// One glibc iconv conversion, opened once and reused. Conversion never fails:
// input the source encoding cannot decode, or characters the target cannot
// hold, are replaced and the rest of the text is kept.
class Iconv {
 public:
  Iconv(const char* to, const char* from);
  ~Iconv();
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool IsOpen() const { return open_; }

  // Converts `in` and appends the result to `out`. At a byte sequence that
  // cannot be converted, `replacement` is appended and `skip` input bytes are
  // passed over (the size of one source unit: 1 for byte encodings, 2 for
  // UTF-16, 4 for UTF-32). The decoder is reset first and flushed at the end,
  // so decoders that hold back a character (CP1255, CP1258) lose nothing.
  // It changes the descriptor's shift state, which is why instances are
  // cached per thread.
  // Answers how many replacements it made.
  std::size_t Convert(std::string_view in, std::string& out, std::size_t skip,
                      std::string_view replacement) const;

  // A per-thread cache of open conversions; returns nullptr when iconv does
  // not know one of the encodings.
  static const Iconv* Cached(const std::string& to, const std::string& from);

  // The code units texts go through on their way between two encodings:
  // glibc's own wide characters, from and to which every encoding converts
  // in one step. (Through "UTF-32LE" each character an encoder lacks costs a
  // second step's whole buffer: eight microseconds each, seconds for a long
  // text of emoji.)
  static constexpr const char* kWide = "WCHAR_T";
  static constexpr std::size_t kWideUnit = sizeof(wchar_t);
  // "?" as one wide code unit: what an undecodable input becomes.
  static std::string_view WideQuestionMark();

 private:
  void* handle_;  // iconv_t
  bool open_;
};

}  // namespace platform
