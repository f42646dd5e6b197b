#pragma once

#include <cstdint>
#include <string>

// Result codes in the terms of Windows structured storage, which the reader's
// messages show ("HResult = $80030002"). The compound-file layer reports its
// failures with these.
namespace catalogue {

using HResult = std::uint32_t;

inline constexpr HResult kS_OK = 0x00000000;
inline constexpr HResult kS_FALSE = 0x00000001;
inline constexpr HResult kE_FAIL = 0x80004005;
inline constexpr HResult kSTG_E_FILENOTFOUND = 0x80030002;
inline constexpr HResult kSTG_E_PATHNOTFOUND = 0x80030003;
inline constexpr HResult kSTG_E_ACCESSDENIED = 0x80030005;
inline constexpr HResult kSTG_E_INSUFFICIENTMEMORY = 0x80030008;
inline constexpr HResult kSTG_E_INVALIDPOINTER = 0x80030009;
inline constexpr HResult kSTG_E_READFAULT = 0x8003001E;
inline constexpr HResult kSTG_E_FILEALREADYEXISTS = 0x80030050;
inline constexpr HResult kSTG_E_INVALIDHEADER = 0x800300FB;
inline constexpr HResult kSTG_E_DOCFILECORRUPT = 0x80030109;

constexpr bool Failed(HResult code) {
  return (code & 0x80000000u) != 0;
}

// "HResult = $%.8X": the line under a failure message.
std::string HResultLine(HResult code);

}  // namespace catalogue
