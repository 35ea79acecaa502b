#include "net/http_ranges.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpRanges, TheStartAndLengthOfAContentRange) {
  EXPECT_EQ(net::ContentRangeStart("bytes 100-199/200"), 100);
  EXPECT_EQ(net::ContentRangeStart("Bytes  0-0/1"), 0);
  EXPECT_EQ(net::ContentRangeStart("bytes */200"), -1);
  EXPECT_EQ(net::ContentRangeStart("bytes 100-99/200"), -1);
  EXPECT_EQ(net::ContentRangeStart("items 1-2/3"), -1);
  EXPECT_EQ(net::ContentRangeStart(""), -1);
  EXPECT_EQ(net::ContentRangeLength("bytes */50000"), 50000);
  EXPECT_EQ(net::ContentRangeLength("bytes 100-199/200"), 200);
  EXPECT_EQ(net::ContentRangeLength("bytes 100-199/*"), -1);
  EXPECT_EQ(net::ContentRangeLength("bytes */50000x"), -1);
  EXPECT_EQ(net::ContentRangeLength("bytes */99999999999999999999"), -1);
}

TEST(HttpRanges, OnlyAStrongEtagOrTheModificationTimeVouchesForTheBytes) {
  EXPECT_EQ(net::ResumeValidator("\"abc\"", "Tue, 01 Oct 2024 08:00:00 GMT"), "\"abc\"");
  EXPECT_EQ(net::ResumeValidator("W/\"abc\"", "Tue, 01 Oct 2024 08:00:00 GMT"),
            "Tue, 01 Oct 2024 08:00:00 GMT");
  EXPECT_EQ(net::ResumeValidator("W/\"abc\"", ""), "");
  EXPECT_EQ(net::ResumeValidator("", ""), "");
}

}  // namespace
