#pragma once
// The editor's text as its recovery record keeps it. Plain C++.
//
// The record relies on a units file made of what the buffer loaded followed by
// what was added to it since, in the record's form, and lists the text as
// pieces of that file. Both parts only grow, so after the first record a change
// costs the units typed and the list, never the whole text again.

#include "recovery/RecoveryStore.h"
#include "text/TextBuffer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/// The text ("\n" ends a paragraph) in a record's form: UTF-16 code units in the
/// machine's byte order, paragraphs ending in U+2029, so escapes and NULs come
/// back as they were.
std::string RecordText(std::u16string_view text);
std::u16string TextOfRecord(const std::string& recordText);

/// What the writer's thread needs to bring the record up to date, taken from
/// the buffer between two edits.
struct JournalSnapshot {
  RecoveryRecord record;    ///< without its text
  std::uint64_t units = 0;  ///< the units file: new whenever the loaded text is
  std::shared_ptr<const char16_t[]> loaded;
  std::uint64_t loadedLength = 0;
  std::uint64_t addedFrom = 0;  ///< where `added` starts in the added text
  std::u16string added;
  std::vector<text::StoredRun> runs;
};

/// The snapshot of `buffer` for a units file that already holds `addedOnDisk`
/// code units of the added text (0 for a new one).
JournalSnapshot TakeSnapshot(const text::TextBuffer& buffer, RecoveryRecord record,
                             std::uint64_t units, std::uint64_t addedOnDisk);
/// Appends to the units file what it lacks and writes the record; 0 or the
/// errno of the failure. EAGAIN: the units file holds less of the added text
/// than the snapshot assumed; take the next one from UnitsAddedOnDisk().
int WriteSnapshot(RecoveryStore& store, const JournalSnapshot& snapshot);
/// How much of the added text the store's units file holds for `snapshot`'s.
std::uint64_t UnitsAddedOnDisk(const RecoveryStore& store, const JournalSnapshot& snapshot);
