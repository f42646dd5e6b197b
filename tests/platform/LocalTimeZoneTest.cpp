// Naming the local zone's file changes no local time, and a zone the user
// set is kept.

#include "platform/files/LocalTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace platform {
namespace {

// The local offsets of a winter's and a summer's day, as the C library
// gives them under the TZ of the moment.
std::vector<long> LocalOffsets() {
  ::tzset();
  std::vector<long> offsets;
  for (std::time_t t : {std::time_t{1579000000}, std::time_t{1594000000}}) {
    std::tm local{};
    ::localtime_r(&t, &local);
    offsets.push_back(local.tm_gmtoff);
  }
  return offsets;
}

TEST(LocalTimeZone, AnUnsetZoneIsNamedByItsFileWithTheSameTimesAndASetOneStays) {
  const char* was = std::getenv("TZ");
  std::optional<std::string> saved = was ? std::optional<std::string>(was) : std::nullopt;
  ::unsetenv("TZ");
  std::vector<long> unset = LocalOffsets();
  NameLocalTimeZoneFile();
  ASSERT_NE(std::getenv("TZ"), nullptr);
  EXPECT_STREQ(std::getenv("TZ"), ":/etc/localtime");
  EXPECT_EQ(LocalOffsets(), unset);

  ::setenv("TZ", "JST-9", 1);
  NameLocalTimeZoneFile();
  EXPECT_STREQ(std::getenv("TZ"), "JST-9");
  EXPECT_EQ(LocalOffsets(), (std::vector<long>{9 * 3600, 9 * 3600}));

  if (saved) {
    ::setenv("TZ", saved->c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
}

}  // namespace
}  // namespace platform
