#include "recovery/RecoveryRecord.h"

#include "recovery/Crc32.h"

namespace {

constexpr std::string_view kMark = "WEXRCV01";
constexpr std::string_view kPiecedMark = "WEXRCV02";

void PutInt(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Reads the fields in order; once anything is missing, every later read fails too.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : rest_(bytes) {}
  bool Int(std::uint64_t& value, int bytes) {
    if (rest_.size() < std::size_t(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t(std::uint8_t(rest_[i])) << (8 * i);
    rest_.remove_prefix(bytes);
    return true;
  }
  bool Bytes(std::string& out, std::uint64_t length) {
    if (rest_.size() < length) return false;
    out.assign(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return true;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

template <typename Enum, std::size_t N>
bool ToEnum(std::uint64_t value, const Enum (&all)[N], Enum& out) {
  for (Enum e : all)
    if (static_cast<std::uint64_t>(e) == value) {
      out = e;
      return true;
    }
  return false;
}

// The pieces of a "WEXRCV02" record, each checked to lie where it says.
bool ReadPieces(Reader& in, PiecedText& pieced) {
  std::uint64_t crc = 0, count = 0, ownLength = 0;
  if (!(in.Int(pieced.units, 8) && in.Int(pieced.unitsLength, 8) && in.Int(crc, 4) &&
        in.Int(count, 8)))
    return false;
  pieced.unitsCrc = static_cast<std::uint32_t>(crc);
  for (std::uint64_t i = 0; i < count; ++i) {
    RecordPiece piece;
    std::uint64_t inRecord = 0;
    if (!(in.Int(piece.start, 8) && in.Int(piece.length, 8) && in.Int(inRecord, 1)) || inRecord > 1)
      return false;
    piece.inRecord = inRecord;
    pieced.pieces.push_back(piece);
  }
  if (!(in.Int(ownLength, 8) && in.Bytes(pieced.own, ownLength))) return false;
  for (const RecordPiece& piece : pieced.pieces) {
    const std::uint64_t size = piece.inRecord ? pieced.own.size() : pieced.unitsLength;
    if (piece.start > size || piece.length > size - piece.start) return false;
  }
  return true;
}

}  // namespace

std::string EncodeRecord(const RecoveryRecord& r) {
  std::string out;
  out.reserve(r.text.size() + r.path.size() + 80);
  out += r.pieced ? kPiecedMark : kMark;
  PutInt(out, static_cast<std::uint64_t>(r.changedNs), 8);
  PutInt(out, static_cast<std::uint64_t>(r.format.encoding), 1);
  PutInt(out, static_cast<std::uint64_t>(r.format.lineEnd), 1);
  PutInt(out, r.format.utf16Mark, 1);
  PutInt(out, r.format.jisCodePoints, 1);
  PutInt(out, r.loaded.exists, 1);
  PutInt(out, r.loaded.device, 8);
  PutInt(out, r.loaded.inode, 8);
  PutInt(out, r.loaded.size, 8);
  PutInt(out, static_cast<std::uint64_t>(r.loaded.modifiedNs), 8);
  PutInt(out, r.path.size(), 4);
  out += r.path;
  if (const PiecedText* pieced = r.pieced ? &*r.pieced : nullptr) {
    PutInt(out, pieced->units, 8);
    PutInt(out, pieced->unitsLength, 8);
    PutInt(out, pieced->unitsCrc, 4);
    PutInt(out, pieced->pieces.size(), 8);
    for (const RecordPiece& piece : pieced->pieces) {
      PutInt(out, piece.start, 8);
      PutInt(out, piece.length, 8);
      PutInt(out, piece.inRecord, 1);
    }
    PutInt(out, pieced->own.size(), 8);
    out += pieced->own;
  } else {
    PutInt(out, r.text.size(), 8);
    out += r.text;
  }
  PutInt(out, Crc32(out), 4);
  return out;
}

std::optional<RecoveryRecord> DecodeRecord(std::string_view bytes) {
  const std::string_view version = bytes.substr(0, kMark.size());
  if (bytes.size() < kMark.size() + 4 || (version != kMark && version != kPiecedMark)) return {};
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  Reader sum(bytes.substr(body.size()));
  std::uint64_t crc = 0;
  if (!sum.Int(crc, 4) || crc != Crc32(body)) return {};

  Reader in(body.substr(kMark.size()));
  RecoveryRecord r;
  std::uint64_t changed = 0, encoding = 0, lineEnd = 0, mark = 0, jis = 0, exists = 0, modified = 0,
                pathLength = 0, textLength = 0;
  if (!(in.Int(changed, 8) && in.Int(encoding, 1) && in.Int(lineEnd, 1) && in.Int(mark, 1) &&
        in.Int(jis, 1) && in.Int(exists, 1) && in.Int(r.loaded.device, 8) &&
        in.Int(r.loaded.inode, 8) && in.Int(r.loaded.size, 8) && in.Int(modified, 8) &&
        in.Int(pathLength, 4) && in.Bytes(r.path, pathLength)))
    return {};
  if (version == kPiecedMark) {
    if (!ReadPieces(in, r.pieced.emplace())) return {};
  } else if (!(in.Int(textLength, 8) && in.Bytes(r.text, textLength))) {
    return {};
  }
  if (!in.AtEnd()) return {};
  if (!ToEnum(encoding, kTextEncodings, r.format.encoding) ||
      !ToEnum(lineEnd, kLineEnds, r.format.lineEnd) || mark > 1 || jis > 1 || exists > 1)
    return {};
  r.changedNs = static_cast<std::int64_t>(changed);
  r.format.utf16Mark = mark;
  r.format.jisCodePoints = jis;
  r.loaded.exists = exists;
  r.loaded.modifiedNs = static_cast<std::int64_t>(modified);
  return r;
}

bool JoinPieces(RecoveryRecord& record, std::string_view units) {
  if (!record.pieced) return true;
  const PiecedText& pieced = *record.pieced;
  if (units.size() < pieced.unitsLength) return false;
  units = units.substr(0, pieced.unitsLength);
  if (Crc32(units) != pieced.unitsCrc) return false;
  std::string text;
  std::uint64_t size = 0;
  for (const RecordPiece& piece : pieced.pieces) size += piece.length;
  text.reserve(size);
  for (const RecordPiece& piece : pieced.pieces) {
    const std::string_view from = piece.inRecord ? std::string_view(pieced.own) : units;
    text += from.substr(piece.start, piece.length);
  }
  record.text = std::move(text);
  record.pieced.reset();
  return true;
}
