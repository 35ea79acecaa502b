#include "http/byte_range.h"

#include <gtest/gtest.h>

using catalogue::ByteRange;
using catalogue::parse_byte_range;

TEST(ByteRange, ReadsTheFormsThatResumingClientsSend) {
  ByteRange r = parse_byte_range("bytes=100-", 1000);
  EXPECT_EQ(r.kind, ByteRange::part);
  EXPECT_EQ(r.first, 100u);
  EXPECT_EQ(r.last, 999u);
  r = parse_byte_range("bytes=0-0", 1000);
  EXPECT_EQ(r.kind, ByteRange::part);
  EXPECT_EQ(r.last, 0u);
  r = parse_byte_range("bytes=-10", 1000);
  EXPECT_EQ(r.first, 990u);
  EXPECT_EQ(r.last, 999u);
}

TEST(ByteRange, ClampsTheEndAndTheSuffixToTheFile) {
  ByteRange r = parse_byte_range("bytes=10-5000", 1000);
  EXPECT_EQ(r.last, 999u);
  r = parse_byte_range("bytes=-5000", 1000);
  EXPECT_EQ(r.first, 0u);
}

TEST(ByteRange, AStartAtOrPastTheEndCannotBeSatisfied) {
  EXPECT_EQ(parse_byte_range("bytes=1000-", 1000).kind, ByteRange::unsatisfiable);
  EXPECT_EQ(parse_byte_range("bytes=0-", 0).kind, ByteRange::unsatisfiable);
  EXPECT_EQ(parse_byte_range("bytes=-0", 1000).kind, ByteRange::unsatisfiable);
}

TEST(ByteRange, AnythingUnreadableOrMultipleMeansTheWholeFile) {
  for (const char* h : {"", "bytes=", "bytes=-", "bytes=5-2", "bytes=a-b", "items=0-1", "bytes=0-1,5-6",
                        "bytes= 0-1", "bytes=99999999999999999999-", "bytes=1-2x"})
    EXPECT_EQ(parse_byte_range(h, 1000).kind, ByteRange::whole) << h;
}
