// CODE93 and CODE128 data to the symbol values the printer expects.
#include <new>

#include "barcode/barcode_command.h"
#include "barcode/barcode_internal.h"

namespace kvt {
namespace {

// Code 93 symbol values.
constexpr std::uint8_t kShiftDollar = 43;   // ($)
constexpr std::uint8_t kShiftPercent = 44;  // (%)
constexpr std::uint8_t kShiftSlash = 45;    // (/)
constexpr std::uint8_t kShiftPlus = 46;     // (+)
constexpr std::uint8_t kCode93End = 47;

constexpr std::uint8_t Letter(char c) { return static_cast<std::uint8_t>(10 + (c - 'A')); }

// Appends the full-ASCII encoding of one byte below 0x80: one value for the
// characters Code 93 has, a shift and a base value for the rest.
void AppendCode93(std::uint8_t byte, std::vector<std::uint8_t>* out) {
  const char c = static_cast<char>(byte);
  auto pair = [out](std::uint8_t shift, char base) {
    out->push_back(shift);
    out->push_back(Letter(base));
  };
  if (c >= '0' && c <= '9') {
    out->push_back(static_cast<std::uint8_t>(c - '0'));
  } else if (c >= 'A' && c <= 'Z') {
    out->push_back(Letter(c));
  } else if (c >= 'a' && c <= 'z') {
    pair(kShiftPlus, static_cast<char>(c - 'a' + 'A'));
  } else if (byte == 0x00) {
    pair(kShiftPercent, 'U');
  } else if (byte <= 0x1A) {
    pair(kShiftDollar, static_cast<char>('A' + byte - 1));
  } else if (byte <= 0x1F) {
    pair(kShiftPercent, static_cast<char>('A' + byte - 0x1B));
  } else {
    switch (c) {
      case '-':
        out->push_back(36);
        break;
      case '.':
        out->push_back(37);
        break;
      case ' ':
        out->push_back(38);
        break;
      case '$':
        out->push_back(39);
        break;
      case '/':
        out->push_back(40);
        break;
      case '+':
        out->push_back(41);
        break;
      case '%':
        out->push_back(42);
        break;
      case ':':
        pair(kShiftSlash, 'Z');
        break;
      case ';':
      case '<':
      case '=':
      case '>':
      case '?':
        pair(kShiftPercent, static_cast<char>('F' + (c - ';')));
        break;
      case '@':
        pair(kShiftPercent, 'V');
        break;
      case '[':
      case '\\':
      case ']':
      case '^':
      case '_':
        pair(kShiftPercent, static_cast<char>('K' + (c - '[')));
        break;
      case '`':
        pair(kShiftPercent, 'W');
        break;
      case '{':
      case '|':
      case '}':
      case '~':
        pair(kShiftPercent, static_cast<char>('P' + (c - '{')));
        break;
      case 0x7F:
        pair(kShiftPercent, 'T');
        break;
      default:  // ! " # & ' ( ) * , : the (/) shifts, in ASCII order from A
        pair(kShiftSlash, static_cast<char>('A' + (c - '!')));
        break;
    }
  }
}

// Code 128: the current code set, numbered as the messages print it.
enum CodeSet : int { kSetA = 0, kSetB = 1, kSetC = 2, kSetNone = 3 };

constexpr std::uint8_t kFnc3 = 96;
constexpr std::uint8_t kFnc2 = 97;
constexpr std::uint8_t kShift = 98;
constexpr std::uint8_t kCodeC = 99;
constexpr std::uint8_t kCodeB = 100;  // FNC4 in set B
constexpr std::uint8_t kCodeA = 101;  // FNC4 in set A
constexpr std::uint8_t kFnc1 = 102;
constexpr std::uint8_t kStartA = 103;
constexpr std::uint8_t kStartB = 104;
constexpr std::uint8_t kStartC = 105;
constexpr std::uint8_t kCode128End = 103;
constexpr int kNotInSet = -1;

int Code128Value(CodeSet set, std::uint8_t byte) {
  switch (set) {
    case kSetA:
      if (byte <= 0x1F) return byte + 64;
      if (byte <= 0x5F) return byte - 0x20;
      return kNotInSet;
    case kSetB:
      if (byte >= 0x20 && byte <= 0x7A) return byte - 0x20;
      if (byte >= 0x7C && byte <= 0x7F) return byte - 0x20;
      return kNotInSet;  // "{" is written as the escape "{{"
    case kSetC:
      return byte <= 99 ? byte : kNotInSet;
    case kSetNone:
      break;
  }
  return kNotInSet;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CreateBufCode93(const std::uint8_t* data,
                                                         std::uint32_t n) {
  if (data == nullptr && n != 0) return std::nullopt;
  const std::size_t size = 2 * static_cast<std::size_t>(n) + 1;
  std::vector<std::uint8_t> out;
  try {
    out.reserve(size);
  } catch (const std::bad_alloc&) {
    KVT_BARCODE_LOG(L"CreateBufCode93 [pOutBuf] memory error [%llu]",
                    static_cast<unsigned long long>(size));
    return std::nullopt;
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    if (data[i] > 0x7F) {
      KVT_BARCODE_LOG(L"CreateBufCode93 Data error [%02x]", data[i]);
      return std::nullopt;
    }
    AppendCode93(data[i], &out);
  }
  out.push_back(kCode93End);
  return out;
}

std::optional<std::vector<std::uint8_t>> CreateBufCode128(const std::uint8_t* data,
                                                          std::uint32_t n) {
  if (data == nullptr && n != 0) return std::nullopt;
  const std::size_t size = static_cast<std::size_t>(n) + 1;
  std::vector<std::uint8_t> out;
  try {
    out.reserve(size);
  } catch (const std::bad_alloc&) {
    KVT_BARCODE_LOG(L"CreateBufCode128 [pOutBuf] memory error [%llu]",
                    static_cast<unsigned long long>(size));
    return std::nullopt;
  }
  CodeSet set = kSetNone;
  for (std::uint32_t i = 0; i < n; ++i) {
    if (data[i] != '{') {
      if (set == kSetNone) {
        KVT_BARCODE_LOG(L"CreateBufCode128 Data error [byStartCode:%02x]", set);
        return std::nullopt;
      }
      const int value = Code128Value(set, data[i]);
      if (value == kNotInSet) {
        KVT_BARCODE_LOG(L"CreateBufCode128 Data error [0xFF]");
        return std::nullopt;
      }
      out.push_back(static_cast<std::uint8_t>(value));
      continue;
    }
    if (i + 1 >= n) return std::nullopt;  // a lone "{" at the end
    const std::uint8_t letter = data[++i];
    switch (letter) {
      case 'A':
        if (set == kSetA) {
          KVT_BARCODE_LOG(L"CreateBufCode128 A:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(set == kSetNone ? kStartA : kCodeA);
        set = kSetA;
        break;
      case 'B':
        if (set == kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 B:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(set == kSetNone ? kStartB : kCodeB);
        set = kSetB;
        break;
      case 'C':
        if (set == kSetC) {
          KVT_BARCODE_LOG(L"CreateBufCode128 C:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(set == kSetNone ? kStartC : kCodeC);
        set = kSetC;
        break;
      case 'S':
        if (set != kSetA && set != kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 S:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(kShift);
        break;
      case '1':
        if (set == kSetNone) {
          KVT_BARCODE_LOG(L"CreateBufCode128 1:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(kFnc1);
        break;
      case '2':
        if (set != kSetA && set != kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 2:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(kFnc2);
        break;
      case '3':
        if (set != kSetA && set != kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 3:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(kFnc3);
        break;
      case '4':
        if (set != kSetA && set != kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 4:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(set == kSetA ? kCodeA : kCodeB);  // FNC4 of the set
        break;
      case '{':
        if (set != kSetB) {
          KVT_BARCODE_LOG(L"CreateBufCode128 {:[Startcode:%02x]", set);
          return std::nullopt;
        }
        out.push_back(91);
        break;
      default:
        KVT_BARCODE_LOG(L"CreateBufCode128 unknown:[code:%02x]", letter);
        return std::nullopt;
    }
  }
  out.push_back(kCode128End);
  return out;
}

}  // namespace kvt
