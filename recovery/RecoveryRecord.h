#pragma once
// One recovery record: what is needed to give back a document's unsaved text
// exactly as the view held it. Plain C++.
//
// Layout (integers little-endian): the 8-byte mark "WEXRCV01"; the time of the
// last change (i64, ns since the epoch); encoding, line end (u8 each) and the two
// format flags (u8 each); the identity of the document's file when it was loaded or
// last saved (exists u8, device, inode, size u64, modified i64); the path (u32
// length + bytes, empty for an untitled document); the text (u64 length + bytes);
// the CRC-32 of everything before it (u32). A record whose length, mark or sum
// does not fit is refused as a whole, so a torn write never restores half a text.
//
// A record marked "WEXRCV02" holds, in place of the text, the text as pieces:
// the units file's number (u64), the length of it they rely on (u64) and its
// CRC-32 (u32); the count of pieces (u64), each as start, length (u64 each)
// and whether it lies in the record (u8); the record's own bytes (u64 length +
// bytes). The units file beside the record only grows, so keeping a large text
// up to date costs what changed, not the whole text again.

#include "kanji/TextFormat.h"
#include "recovery/FileIdentity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// A stretch of a record's text: `length` bytes from `start` of its units file,
/// or, `inRecord`, of the record's own bytes.
struct RecordPiece {
  std::uint64_t start = 0;
  std::uint64_t length = 0;
  bool inRecord = false;
  bool operator==(const RecordPiece&) const = default;
};

/// A record's text as pieces of the owner's units file and of its own bytes.
struct PiecedText {
  std::uint64_t units = 0;        ///< which of the owner's units files
  std::uint64_t unitsLength = 0;  ///< how much of it the pieces may use
  std::uint32_t unitsCrc = 0;     ///< the CRC-32 of that much
  std::vector<RecordPiece> pieces;
  std::string own;  ///< the bytes of the pieces `inRecord`
  bool operator==(const PiecedText&) const = default;
};

struct RecoveryRecord {
  std::string path;            ///< the document's file in the system's encoding; empty: untitled
  TextFormat format;           ///< what Save would write
  FileIdentity loaded;         ///< the file as the document loaded or last saved it
  std::int64_t changedNs = 0;  ///< when the text last changed, ns since the epoch
  std::string text;            ///< the view's text, opaque here (the editor chooses the form)
  /// The text as pieces instead (then `text` is empty until JoinPieces).
  std::optional<PiecedText> pieced;

  bool operator==(const RecoveryRecord&) const = default;
};

/// The record's bytes as the layout above gives them.
std::string EncodeRecord(const RecoveryRecord& record);
/// The record the bytes hold; nothing when they are not exactly one whole record.
std::optional<RecoveryRecord> DecodeRecord(std::string_view bytes);
/// Puts the text of a pieced record together from its units file's bytes; false
/// (the record unchanged) when they are not what the record relies on.
bool JoinPieces(RecoveryRecord& record, std::string_view units);
