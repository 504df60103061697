#include "editor/RtfReader.h"

#include "platform/Cp932Codec.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::size_t kMaxWordLength = 32;
constexpr long kMaxParameter = 1L << 30;

struct GroupState {
  bool skip = false;  // inside a destination whose text is not the document's
  int uc = 1;         // fallback characters after \uN
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSkippedDestination(std::string_view word) {
  static constexpr std::array<std::string_view, 5> kDestinations = {"fonttbl", "colortbl",
                                                                    "stylesheet", "info", "pict"};
  return std::find(kDestinations.begin(), kDestinations.end(), word) != kDestinations.end();
}

// Words that stand for one character of their own.
char16_t SymbolWord(std::string_view word) {
  static constexpr std::pair<std::string_view, char16_t> kSymbols[] = {
      {"emdash", u'\u2014'},    {"endash", u'\u2013'},  {"bullet", u'\u2022'},
      {"lquote", u'\u2018'},    {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
      {"rdblquote", u'\u201D'}, {"emspace", u'\u3000'}, {"enspace", u' '}};
  for (const auto& [name, c] : kSymbols)
    if (name == word) return c;
  return 0;
}

class Reader {
 public:
  explicit Reader(std::string_view rtf) : in_(rtf) {}

  std::string Run() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      if (c == '{') {
        groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
        toSkip_ = 0;
      } else if (c == '}') {
        if (groups_.size() <= 1) break;  // the outermost group ends the document
        groups_.pop_back();
        toSkip_ = 0;
      } else if (groups_.empty() || c == '\r' || c == '\n') {
        // Outside the document, or a line break of the file itself.
      } else if (c == '\\') {
        ControlSequence();
      } else if (!FallbackCharacter()) {
        EmitByte(c);
      }
    }
    return std::move(out_);
  }

 private:
  bool Skipping() const { return groups_.back().skip; }

  // Counts one character against a pending \uN fallback; true when it was one.
  bool FallbackCharacter() {
    if (toSkip_ == 0) return false;
    --toSkip_;
    return true;
  }

  // NUL bytes are dropped: the text ends at its first NUL everywhere else.
  void EmitByte(char c) {
    if (!Skipping() && c != '\0') out_.push_back(c);
  }

  void EmitText(std::string_view bytes) {
    if (!Skipping()) out_.append(bytes);
  }

  void EmitUnit(char16_t unit) {
    if (Skipping()) return;
    // A surrogate pair is one character outside Shift-JIS: one "?".
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (low && lastWasHigh_) {
      lastWasHigh_ = false;
      return;
    }
    lastWasHigh_ = high;
    if (high || low) {
      out_.push_back('?');
      return;
    }
    out_.append(cp932::Encode(std::u16string_view(&unit, 1)));
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++pos_;
    lastWasHigh_ = false;
    switch (c) {
      case '\'': {
        const int hi = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
        const int lo = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
        if (hi < 0 || lo < 0) return;
        pos_ += 2;
        if (!FallbackCharacter()) EmitByte(static_cast<char>(hi * 16 + lo));
        return;
      }
      case '*': groups_.back().skip = true; return;
      case '\\':
      case '{':
      case '}':
        if (!FallbackCharacter()) EmitByte(c);
        return;
      case '~':
        if (!FallbackCharacter()) EmitByte(' ');
        return;
      case '_':
        if (!FallbackCharacter()) EmitByte('-');
        return;
      case '\r':
      case '\n':
        if (!FallbackCharacter()) EmitText("\r\n");
        return;
      default: FallbackCharacter(); return;  // \- and other symbols show nothing
    }
  }

  void ControlWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < kMaxWordLength) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;  // an over-long word is cut
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    long parameter = 0;
    bool hasParameter = false;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      parameter = std::min(kMaxParameter, parameter * 10 + (in_[pos_++] - '0'));
      hasParameter = true;
    }
    if (negative) parameter = -parameter;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;

    if (word == "bin") {
      // Binary data: its bytes are never text nor syntax.
      if (hasParameter && parameter > 0)
        pos_ += std::min(static_cast<std::size_t>(parameter), in_.size() - pos_);
      return;
    }
    if (word != "u") lastWasHigh_ = false;
    if (FallbackCharacter()) return;
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
      EmitText("\r\n");
    } else if (word == "tab" || word == "cell") {
      EmitText("\t");
    } else if (word == "u" && hasParameter) {
      const long unit = parameter < 0 ? parameter + 65536 : parameter;
      if (unit != 0) EmitUnit(unit > 0 && unit <= 0xFFFF ? static_cast<char16_t>(unit) : u'?');
      toSkip_ = groups_.back().uc;
    } else if (word == "uc" && hasParameter) {
      groups_.back().uc = static_cast<int>(std::clamp(parameter, 0L, 16L));
    } else if (IsSkippedDestination(word)) {
      groups_.back().skip = true;
    } else if (const char16_t symbol = SymbolWord(word)) {
      EmitUnit(symbol);
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> groups_;
  std::string out_;
  int toSkip_ = 0;            // fallback characters still to skip after \uN
  bool lastWasHigh_ = false;  // the last \uN was the first half of a surrogate pair
};

}  // namespace

bool IsRichText(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

std::string RtfToText(std::string_view rtf) { return Reader(rtf).Run(); }
