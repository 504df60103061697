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

#include "kanji/TextFormat.h"
#include "recovery/FileIdentity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct RecoveryRecord {
  std::string path;  ///< the document's file in the system's encoding; empty: untitled
  TextFormat format;  ///< what Save would write
  FileIdentity loaded;  ///< the file as the document loaded or last saved it
  std::int64_t changedNs = 0;  ///< when the text last changed, ns since the epoch
  std::string text;  ///< the view's text, opaque here (the editor chooses the form)

  bool operator==(const RecoveryRecord&) const = default;
};

/// The record's bytes as the layout above gives them.
std::string EncodeRecord(const RecoveryRecord& record);
/// The record the bytes hold; nothing when they are not exactly one whole record.
std::optional<RecoveryRecord> DecodeRecord(std::string_view bytes);
