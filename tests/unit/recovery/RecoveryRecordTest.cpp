// The recovery record's bytes: every field comes back, and no damaged or cut
// record is ever taken for a whole one.

#include "recovery/Crc32.h"
#include "recovery/RecoveryRecord.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

RecoveryRecord Sample() {
  RecoveryRecord r;
  r.path = "/home/u/\x83\x65\x83\x4c\x83\x58\x83\x67.txt";  // a Shift-JIS name
  r.format = {TextEncoding::Utf16Be, LineEnd::Lf, false, true};
  r.loaded = {true, 2049, 1234567, 42, 1'700'000'000'123'456'789};
  r.changedNs = 1'733'700'000'987'654'321;
  r.text = "a\0b\xff\xfe\r\n\x1b$B"s;  // NULs, escapes, control bytes, anything
  return r;
}

// The same record with its text as pieces of a units file and of its own bytes.
RecoveryRecord PiecedSample(std::string_view units) {
  RecoveryRecord r = Sample();
  r.text.clear();
  r.pieced =
      PiecedText{7, units.size(), Crc32(units), {{2, 3, false}, {0, 1, true}, {0, 2, false}}, "\n"};
  return r;
}

TEST(RecoveryRecordTest, EveryFieldComesBackForEveryFormat) {
  for (TextEncoding encoding : kTextEncodings)
    for (LineEnd lineEnd : kLineEnds) {
      RecoveryRecord r = Sample();
      r.format.encoding = encoding;
      r.format.lineEnd = lineEnd;
      EXPECT_EQ(DecodeRecord(EncodeRecord(r)), r);
    }
  RecoveryRecord untitled;  // no file, nothing loaded, empty text
  EXPECT_EQ(DecodeRecord(EncodeRecord(untitled)), untitled);
  EXPECT_EQ(DecodeRecord(EncodeRecord(PiecedSample("units"))), PiecedSample("units"));
}

TEST(RecoveryRecordTest, PiecesJoinOnlyOverTheUnitsTheyWereWrittenFor) {
  RecoveryRecord r = PiecedSample("units");
  EXPECT_FALSE(JoinPieces(r, "unit")) << "units file cut short";
  EXPECT_FALSE(JoinPieces(r, "Units")) << "units file changed";
  ASSERT_TRUE(JoinPieces(r, "units and more appended since"));
  EXPECT_EQ(r.text, "its\nun");
  EXPECT_FALSE(r.pieced);
  // A piece past the end of what it lies in is refused with the record.
  RecoveryRecord outside = PiecedSample("units");
  outside.pieced->pieces.push_back({4, 2, false});
  EXPECT_FALSE(DecodeRecord(EncodeRecord(outside)));
}

TEST(RecoveryRecordTest, ATornOrDamagedRecordIsRefusedAtEveryByte) {
  for (const std::string& whole : {EncodeRecord(Sample()), EncodeRecord(PiecedSample("u"))}) {
    for (std::size_t length = 0; length < whole.size(); ++length)
      EXPECT_FALSE(DecodeRecord(whole.substr(0, length))) << "cut after " << length << " bytes";
    for (std::size_t at = 0; at < whole.size(); ++at) {
      std::string damaged = whole;
      damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
      EXPECT_FALSE(DecodeRecord(damaged)) << "byte " << at << " changed";
    }
    EXPECT_FALSE(DecodeRecord(whole + "x")) << "bytes after the record";
    EXPECT_FALSE(DecodeRecord(whole + whole)) << "two records";
  }
}

TEST(RecoveryRecordTest, FieldsOutOfRangeAreRefusedEvenWithAGoodSum) {
  std::string bytes = EncodeRecord(Sample());
  bytes[16] = 7;  // the encoding: there are seven, numbered from 0
  bytes.resize(bytes.size() - 4);
  const std::uint32_t crc = Crc32(bytes);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((crc >> (8 * i)) & 0xFF);
  EXPECT_FALSE(DecodeRecord(bytes));
}

TEST(RecoveryRecordTest, Crc32MatchesTheStandardCheckValue) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("56789", Crc32("1234")), 0xCBF43926u);  // continued in pieces
}

}  // namespace
