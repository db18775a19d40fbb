#include "catalogue/memory_stream.h"

#include <gtest/gtest.h>

#include "catalogue/errors.h"

namespace varnett {
namespace {

TEST(MemoryStream, WritesGrowAndReadsFollowThePosition) {
  MemoryStream s;
  s.Write("abcdef");
  EXPECT_EQ(s.Size(), 6u);
  EXPECT_EQ(s.Position(), 6u);

  s.Seek(2);
  s.Write("XY");  // overwrites in place
  EXPECT_EQ(s.Bytes(), "abXYef");

  s.Seek(4);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, sizeof buf), 2u);  // only what remains
  EXPECT_EQ(std::string(buf, 2), "ef");
  EXPECT_EQ(s.Read(buf, 1), 0u);
  EXPECT_EQ(s.Position(), 6u);
}

TEST(MemoryStream, PositionPastTheEnd) {
  MemoryStream s(std::string("ab"));
  s.Seek(10);
  EXPECT_EQ(s.Remaining(), 0u);
  char c;
  EXPECT_EQ(s.Read(&c, 1), 0u);
  s.Seek(4);
  s.Write("z");
  EXPECT_EQ(s.Bytes(), std::string("ab\0\0z", 5));
  s.SetSize(3);
  EXPECT_EQ(s.Position(), 3u);
  s.Clear();
  EXPECT_EQ(s.Size(), 0u);
  EXPECT_EQ(s.Position(), 0u);
}

// Bytes cut off and grown back are zero again; a shared copy keeps its bytes.
TEST(MemoryStream, RegrownBytesAreZeroAndSharedBytesStay) {
  MemoryStream s;
  s.Write("abcdef");
  std::shared_ptr<const ByteBuffer> shared = s.Share();
  s.SetSize(2);
  s.SetSize(4);
  EXPECT_EQ(s.Bytes(), std::string("ab\0\0", 4));
  s.Reserve(1000);
  s.SetSize(6);
  EXPECT_EQ(s.Bytes(), std::string("ab\0\0\0\0", 6));
  s.MutableData()[0] = 'x';
  EXPECT_EQ(shared->view(), "abcdef");
}

// Bringing pages in before a member is written never changes a byte, over
// any stretch of a large block, aligned or not.
TEST(ByteBuffer, PreparingForWritingKeepsTheBytes) {
  const size_t size = size_t{9} << 20;
  ByteBuffer buffer;
  buffer.Resize(size);
  char* data = buffer.data();
  for (size_t i = 0; i < size; i += 4093) data[i] = static_cast<char>(i % 251 + 1);
  PrepareForWriting(data + 3, size - 5);
  PrepareForWriting(data, size);
  size_t differing = 0;
  for (size_t i = 0; i < size; ++i)
    differing += data[i] != (i % 4093 == 0 ? static_cast<char>(i % 251 + 1) : 0);
  EXPECT_EQ(differing, 0u);
}

TEST(CatalogueErrors, OneBaseCarriesTheText) {
  try {
    throw EMemTableError("No format specified.");
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "No format specified.");
  }
  try {
    throw EReadError("Stream read error");
  } catch (const CatalogueError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

}  // namespace
}  // namespace varnett
