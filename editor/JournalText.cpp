#include "editor/JournalText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kChunkUnits = 1 << 20;

// `text` appended in the record's form, a chunk at a time so that a large text
// is never copied whole.
int AppendUnits(RecoveryStore& store, std::uint64_t units, std::u16string_view text) {
  if (text.empty()) return store.AppendUnits(units, {});
  for (std::size_t at = 0; at < text.size(); at += kChunkUnits)
    if (const int error = store.AppendUnits(units, RecordText(text.substr(at, kChunkUnits))))
      return error;
  return 0;
}

}  // namespace

// Records have always ended paragraphs in U+2029, as the view once held them:
// a record left by an older copy restores.
std::string RecordText(std::u16string_view text) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == u'\n') {
      const char16_t end = u'\u2029';
      std::memcpy(bytes.data() + i * sizeof(char16_t), &end, sizeof end);
    }
  return bytes;
}

std::u16string TextOfRecord(const std::string& recordText) {
  std::u16string text(recordText.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), recordText.data(), text.size() * sizeof(char16_t));
  std::replace(text.begin(), text.end(), u'\u2029', u'\n');
  return text;
}

JournalSnapshot TakeSnapshot(const text::TextBuffer& buffer, RecoveryRecord record,
                             std::uint64_t units, std::uint64_t addedOnDisk) {
  JournalSnapshot snapshot{std::move(record),  units, buffer.LoadedText(), buffer.Loaded(), 0, {},
                           buffer.StoredRuns()};
  const std::u16string_view added = buffer.AddedText();
  snapshot.addedFrom = std::min<std::uint64_t>(addedOnDisk, added.size());
  snapshot.added = added.substr(snapshot.addedFrom);
  return snapshot;
}

std::uint64_t UnitsAddedOnDisk(const RecoveryStore& store, const JournalSnapshot& snapshot) {
  const std::uint64_t loadedBytes = snapshot.loadedLength * sizeof(char16_t);
  if (store.UnitsNumber() != snapshot.units || store.UnitsLength() < loadedBytes) return 0;
  return (store.UnitsLength() - loadedBytes) / sizeof(char16_t);
}

int WriteSnapshot(RecoveryStore& store, const JournalSnapshot& snapshot) {
  const std::uint64_t loadedBytes = snapshot.loadedLength * sizeof(char16_t);
  // The loaded text, once for each units file: the first record of a large
  // text takes a while, on this thread.
  const std::uint64_t have =
      store.UnitsNumber() == snapshot.units ? store.UnitsLength() / sizeof(char16_t) : 0;
  if (store.UnitsNumber() != snapshot.units || have < snapshot.loadedLength) {
    const std::u16string_view loaded(snapshot.loaded.get(), snapshot.loadedLength);
    if (const int error = AppendUnits(store, snapshot.units, loaded.substr(have))) return error;
  }
  const std::uint64_t onDisk = UnitsAddedOnDisk(store, snapshot);
  if (onDisk < snapshot.addedFrom) return EAGAIN;
  if (onDisk < snapshot.addedFrom + snapshot.added.size()) {
    const std::u16string_view lacking =
        std::u16string_view(snapshot.added).substr(onDisk - snapshot.addedFrom);
    if (const int error = AppendUnits(store, snapshot.units, lacking)) return error;
  }

  RecoveryRecord record = snapshot.record;
  PiecedText& pieced = record.pieced.emplace();
  pieced.units = snapshot.units;
  pieced.unitsLength = store.UnitsLength();
  pieced.unitsCrc = store.UnitsCrc();
  using Store = text::StoredRun::Store;
  for (const text::StoredRun& run : snapshot.runs) {
    const std::uint64_t bytes = run.length * sizeof(char16_t);
    switch (run.store) {
      case Store::Loaded:
        pieced.pieces.push_back({run.start * sizeof(char16_t), bytes, false});
        break;
      case Store::Added:
        pieced.pieces.push_back({loadedBytes + run.start * sizeof(char16_t), bytes, false});
        break;
      case Store::ParagraphEnds:
        pieced.pieces.push_back({pieced.own.size(), bytes, true});
        pieced.own += RecordText(std::u16string(run.length, u'\n'));
        break;
    }
  }
  return store.Write(record);
}
