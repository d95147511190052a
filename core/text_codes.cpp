#include "core/text_codes.h"

#include <cstddef>
#include <string>

#include "core/code_pages.h"

namespace {

struct SymbolCodes {
  std::uint16_t diameter;
  std::uint16_t degree;
  std::uint16_t plusMinus;
};

constexpr SymbolCodes kUnicodeSymbols = {216, 176, 177};
constexpr SymbolCodes kOutlinerSymbols = {3, 1, 2};

constexpr std::size_t kPercentLength = 3;
constexpr std::size_t kUnicodeEscapeLength = 7;

unsigned ToLower(unsigned unit) { return unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit; }

int HexValue(unsigned unit) {
  if (unit >= '0' && unit <= '9') {
    return static_cast<int>(unit - '0');
  }
  const unsigned lower = ToLower(unit);
  if (lower >= 'a' && lower <= 'f') {
    return static_cast<int>(lower - 'a' + 10);
  }
  return -1;
}

// Reads the control sequence that starts at units[i], if any. Returns the
// number of units it takes (0 when none starts there) and sets code.
template <typename Unit>
std::size_t DecodeControl(const Unit* units, std::size_t i, std::size_t n, const SymbolCodes& symbols,
                          bool decodeV, std::uint16_t& code) {
  const unsigned first = static_cast<unsigned>(units[i]);
  const std::size_t left = n - i;
  if (first == '%' && left >= kPercentLength && static_cast<unsigned>(units[i + 1]) == '%') {
    const unsigned third = static_cast<unsigned>(units[i + 2]);
    switch (ToLower(third)) {
      case 'c': code = symbols.diameter; break;
      case 'd': code = symbols.degree; break;
      case 'p': code = symbols.plusMinus; break;
      case 'o': code = 4; break;
      case 'u': code = 5; break;
      case 'v': code = decodeV ? 6 : static_cast<std::uint16_t>(third); break;
      case 't': code = 7; break;
      case 'b': code = 8; break;
      default: code = static_cast<std::uint16_t>(third); break;
    }
    return kPercentLength;
  }
  if (first == '^' && left >= 2 && static_cast<unsigned>(units[i + 1]) == 'J') {
    code = 10;
    return 2;
  }
  if (first == '\\' && left >= kUnicodeEscapeLength && ToLower(units[i + 1]) == 'u' &&
      static_cast<unsigned>(units[i + 2]) == '+') {
    unsigned value = 0;
    for (std::size_t k = 3; k < kUnicodeEscapeLength; ++k) {
      const int digit = HexValue(static_cast<unsigned>(units[i + k]));
      if (digit < 0) {
        return 0;
      }
      value = value * 16 + static_cast<unsigned>(digit);
    }
    code = static_cast<std::uint16_t>(value);
    return kUnicodeEscapeLength;
  }
  return 0;
}

std::uint16_t DoubleByteCode(unsigned char lead, unsigned char trail) {
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

// Appends the codes of units[0..n): double-byte characters (when a lead
// byte is not the last unit), control sequences, else each unit itself.
template <typename Unit, typename IsLead>
void AppendCodes(const Unit* units, std::size_t n, const SymbolCodes& symbols, bool decodeV,
                 IsLead isLead, std::vector<std::uint16_t>& codes) {
  for (std::size_t i = 0; i < n;) {
    if (i + 1 < n && isLead(units[i])) {
      codes.push_back(DoubleByteCode(static_cast<unsigned char>(units[i]),
                                     static_cast<unsigned char>(units[i + 1])));
      i += 2;
      continue;
    }
    std::uint16_t code = 0;
    const std::size_t taken = DecodeControl(units, i, n, symbols, decodeV, code);
    if (taken > 0) {
      codes.push_back(code);
      i += taken;
      continue;
    }
    codes.push_back(static_cast<std::uint16_t>(units[i]));
    ++i;
  }
}

void AppendConvertedRun(std::string_view run, int codePage, bool decodeV,
                        std::vector<std::uint16_t>& codes) {
  if (run.empty()) {
    return;
  }
  const std::u16string units = CodePageToUtf16(run, codePage);
  AppendCodes(units.data(), units.size(), kUnicodeSymbols, decodeV,
              [](char16_t) { return false; }, codes);
}

int Terminate(std::vector<std::uint16_t>& codes) {
  const int count = static_cast<int>(codes.size());
  codes.push_back(0);
  return count;
}

}  // namespace

int DecodeTextControlCodes(std::string_view text, int codePage, bool decodeV,
                           std::vector<std::uint16_t>& codes) {
  codes.clear();
  AppendConvertedRun(text, codePage, decodeV, codes);
  return Terminate(codes);
}

int DecodeTextForShx(std::string_view text, int codePage, bool decodeV,
                     std::vector<std::uint16_t>& codes) {
  codes.clear();
  codes.reserve(text.size() + 1);
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (i + 1 < text.size() && IsCodePageLeadByte(codePage, byte)) {
      AppendConvertedRun(text.substr(runStart, i - runStart), codePage, decodeV, codes);
      codes.push_back(DoubleByteCode(byte, static_cast<unsigned char>(text[i + 1])));
      i += 2;
      runStart = i;
      continue;
    }
    ++i;
  }
  AppendConvertedRun(text.substr(runStart), codePage, decodeV, codes);
  return Terminate(codes);
}

int DecodeTextForTrueType(std::string_view text, int codePage, bool decodeV,
                          std::vector<std::uint16_t>& codes) {
  codes.clear();
  codes.reserve(text.size() + 1);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  AppendCodes(bytes, text.size(), kOutlinerSymbols, decodeV,
              [codePage](unsigned char byte) { return IsCodePageLeadByte(codePage, byte); }, codes);
  return Terminate(codes);
}
