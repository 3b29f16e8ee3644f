// Assembly of the barcode and two-dimensional code print commands.
#include <new>
#include <string>
#include <string_view>

#include "barcode/barcode_command.h"
#include "barcode/barcode_internal.h"
#include "platform/ansi_text.h"
#include "platform/service.h"

namespace kvt {
namespace barcode_internal {
namespace {

namespace e = barcode_error;

bool Fail(std::uint32_t code) {
  SetThreadLastError(code);
  return false;
}

void Put(std::vector<std::uint8_t>* out, std::initializer_list<std::uint8_t> bytes) {
  out->insert(out->end(), bytes);
}

void PutData(std::vector<std::uint8_t>* out, const std::uint8_t* data, std::size_t n) {
  out->insert(out->end(), data, data + n);
}

// HRI position and font bytes, by byHri.
constexpr std::uint8_t kHriPosition[7] = {0, 1, 2, 3, 1, 2, 3};
constexpr std::uint8_t kHriFont[7] = {0, 0, 0, 0, 1, 1, 1};

// The barcode system byte of the print command, by bySystem.
constexpr std::uint8_t kSystemByte[15] = {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x49,
                                          0x48, 0x57, 0x57, 0x4B, 0x4C, 0x4D, 0x4E};

// QR Code error correction letters L, M, Q, H, by byErrorLevel.
constexpr std::uint8_t kQrLevel[4] = {0x4C, 0x4D, 0x51, 0x48};

constexpr std::uint32_t kMax8 = 0xFF;
constexpr std::uint32_t kMax16 = 0xFFFF;

bool UnknownKind(std::uint8_t kind) {
  KVT_BARCODE_LOG(L"GetBarcodeCommand Unnkown barcode id [%d]", kind);
  return Fail(e::kInvalidParameter);
}

}  // namespace

// A length byte that cannot hold the data would make the printer take the
// rest of the data (and whatever follows the job) as commands, so such data
// is refused rather than cut.
#define KVT_REFUSE_LONG(label, max, actual)                                  \
  do {                                                                       \
    KVT_BARCODE_LOG(L"%ls bad command data length. [1-%u:%llu]", label, max, \
                    static_cast<unsigned long long>(actual));                \
    return Fail(e::kBadLength);                                              \
  } while (0)

bool AppendCommand1D(const std::uint8_t* group, const std::uint8_t* data, std::uint32_t n,
                     std::vector<std::uint8_t>* out) {
  using namespace barcode1d;
  const std::uint8_t kind = group[kSystem];
  if (kind >= sizeof(kSystemByte)) return UnknownKind(kind);
  const wchar_t* label = Label1D(kind);
  const std::uint8_t hri = group[kHri] <= 6 ? group[kHri] : 0;

  const std::uint8_t position = kHriPosition[hri];
  Put(out, {0x1D, 0x48, position});
  if (position != 0) Put(out, {0x1D, 0x66, kHriFont[hri]});
  Put(out, {0x1D, 0x68, group[kHeight]});
  Put(out, {0x1D, 0x77, group[kModuleWidth]});
  if (group[kRotate] < 4) Put(out, {0x1D, 0x6A, group[kRotate]});
  if (kind == kCode39 || kind == kItf || kind == kCodabar) Put(out, {0x12, 0x3A, group[kNwRatio]});
  Put(out, {0x1D, 0x6B, kSystemByte[kind]});

  switch (kind) {
    case kCodabar:
      if (group[kStartChar] < 4 && group[kStopChar] < 4) {
        if (n + 2ull > kMax8) KVT_REFUSE_LONG(label, kMax8, n + 2ull);
        Put(out,
            {static_cast<std::uint8_t>(n + 2), static_cast<std::uint8_t>('A' + group[kStartChar])});
        PutData(out, data, n);
        Put(out, {static_cast<std::uint8_t>('A' + group[kStopChar])});
        return true;
      }
      break;
    case kCode128:
    case kCode93: {
      const auto encoded = kind == kCode128 ? CreateBufCode128(data, n) : CreateBufCode93(data, n);
      if (!encoded) {
        if (kind == kCode128) {
          KVT_BARCODE_LOG(L"Create BufCode128");
        } else {
          KVT_BARCODE_LOG(L"Create BufCode93");
        }
        return Fail(e::kInvalidData);
      }
      if (encoded->size() > kMax8) KVT_REFUSE_LONG(label, kMax8, encoded->size());
      out->reserve(out->size() + 1 + encoded->size());
      out->push_back(static_cast<std::uint8_t>(encoded->size()));
      PutData(out, encoded->data(), encoded->size());
      return true;
    }
    case kJan13AddOn2:
    case kJan13AddOn5: {
      // The main code and the add-on each carry their own length.
      const std::uint32_t add_on = kind == kJan13AddOn2 ? 2 : 5;
      if (n < add_on) KVT_REFUSE_LONG(label, kMax8, n);
      const std::uint32_t main = n - add_on;
      if (main > kMax8) KVT_REFUSE_LONG(label, kMax8, main);
      out->push_back(static_cast<std::uint8_t>(main));
      PutData(out, data, main);
      out->push_back(static_cast<std::uint8_t>(add_on));
      PutData(out, data + main, add_on);
      return true;
    }
    default:
      break;
  }
  if (n > kMax8) KVT_REFUSE_LONG(label, kMax8, n);
  out->push_back(static_cast<std::uint8_t>(n));
  PutData(out, data, n);
  return true;
}

bool AppendCommand2D(const std::uint8_t* group, const std::uint8_t* data, std::uint32_t n,
                     std::vector<std::uint8_t>* out) {
  using namespace barcode2d;
  const std::uint8_t kind = group[kSystem];
  if (kind > kGs1ExpandedStacked) return UnknownKind(kind);
  const wchar_t* label = Label2D(kind);
  const std::uint8_t size = group[kModuleSize];
  const std::uint8_t n_low = static_cast<std::uint8_t>(n & 0xFF);
  const std::uint8_t n_high = static_cast<std::uint8_t>((n >> 8) & 0xFF);

  if (group[kRotate] < 4) Put(out, {0x1D, 0x6A, group[kRotate]});
  switch (kind) {
    case kQrCode:
      if (n > kMax16) KVT_REFUSE_LONG(label, kMax16, n);
      if (group[kErrorLevel] > 3) return UnknownKind(kind);
      Put(out, {0x12, 0x3B, size});
      Put(out, {0x1D, 0x70, 0x01, group[kModel], kQrLevel[group[kErrorLevel]], group[kParam2],
                group[kMode], n_low, n_high});
      break;
    case kPdf417:
      if (n > kMax16) KVT_REFUSE_LONG(label, kMax16, n);
      Put(out, {0x1D, 0x6E, size});
      Put(out, {0x1D, 0x6F, group[kModuleHeight]});
      Put(out, {0x1D, 0x70, 0x00, group[kMode], group[kErrorLevel], group[kLines], group[kColumns],
                n_low, n_high});
      break;
    case kDataMatrix:
      if (n > kMax16) KVT_REFUSE_LONG(label, kMax16, n);
      Put(out, {0x12, 0x3B, size});
      Put(out, {0x1D, 0x70, 0x02, 0x00, group[kParam11], group[kParam12], n_low, n_high});
      break;
    case kMaxiCode: {
      const std::uint8_t mode = group[kMode];
      // Modes 2 and 3 begin with a fixed-length primary message (postal
      // code, country and service class); only the rest carries a length.
      std::uint32_t primary = 0;
      if (mode == 2) {
        primary = 15;
        if (n < primary) {
          KVT_BARCODE_LOG(L"%ls bad data length. [%u-%u:%u]", label, 15u, 123u, n);
          return Fail(e::kBadLength);
        }
      } else if (mode == 3) {
        primary = 12;
        if (n < primary) {
          KVT_BARCODE_LOG(L"%ls bad data length. [%u-%u:%u]", label, 12u, 126u, n);
          return Fail(e::kBadLength);
        }
      } else if (mode != 4 && mode != 5) {
        return UnknownKind(kind);
      }
      if (n - primary > kMax8) KVT_REFUSE_LONG(label, kMax8, n - primary);
      Put(out, {0x1D, 0x70, 0x03, mode});
      PutData(out, data, primary);
      out->push_back(static_cast<std::uint8_t>(n - primary));
      PutData(out, data + primary, n - primary);
      return true;
    }
    case kGs1Stacked:
    case kGs1StackedOmni:
      // The command's length byte is fixed at 13.
      if (n != 13) KVT_REFUSE_LONG(label, 13u, n);
      Put(out, {0x12, 0x3B, size});
      if (kind == kGs1Stacked) {
        Put(out, {0x1D, 0x70, 0x04, 0x00, 0x0D});
      } else {
        Put(out, {0x1D, 0x70, 0x04, 0x01, group[kModuleHeight], 0x0D});
      }
      break;
    case kGs1ExpandedStacked:
      if (n > kMax8) KVT_REFUSE_LONG(label, kMax8, n);
      Put(out, {0x12, 0x3B, size});
      Put(out, {0x1D, 0x70, 0x04, 0x02, group[kModuleHeight], n_low});
      break;
    default:
      return UnknownKind(kind);
  }
  PutData(out, data, n);
  return true;
}

}  // namespace barcode_internal

namespace {

namespace e = barcode_error;
using barcode_internal::AppendCommand1D;
using barcode_internal::AppendCommand2D;
using barcode_internal::HexPairsToBytes;

bool Fail(std::uint32_t code) {
  SetThreadLastError(code);
  return false;
}

}  // namespace

bool GetBarcodeCommand(std::uint8_t* group_1d, std::uint8_t* group_2d, const char16_t* text,
                       std::uint32_t count, std::vector<std::uint8_t>* command) {
  if ((group_1d == nullptr && group_2d == nullptr) || command == nullptr) {
    KVT_BARCODE_LOG(L"GetBarcodeCommand Invalid parameter");
    return Fail(e::kInvalidParameter);
  }
  command->clear();
  const bool one_d = group_1d != nullptr;
  std::uint8_t* group = one_d ? group_1d : group_2d;
  const bool hex = group[one_d ? barcode1d::kHexInput : barcode2d::kHexInput] != 0;

  // The data bytes: hex digit pairs, or the text in the ANSI code page.
  // Like the bounded conversion it stands for, a text that needs more than
  // two bytes per character gives no data at all.
  std::string data;
  try {
    if (text != nullptr && count != 0) {
      if (hex) {
        data.resize(count / 2);
        data.resize(HexPairsToBytes(reinterpret_cast<std::uint8_t*>(data.data()), text, count));
      } else if (!Service<AnsiText>().FromUtf16(std::u16string_view(text, count), &data) ||
                 data.size() > 2 * static_cast<std::size_t>(count)) {
        data.clear();
      }
    }
  } catch (const std::bad_alloc&) {
    KVT_BARCODE_LOG(L"GetBarcodeCommand pTempDataBuf = NULL");
    return Fail(e::kOutOfMemory);
  }
  if (data.empty()) {
    KVT_BARCODE_LOG(L"GetBarcodeCommand Data size = 0");
    return Fail(e::kInvalidParameter);
  }
  if (data.size() > 0xFFFFFFFFu) {
    KVT_BARCODE_LOG(L"GetBarcodeCommand bad data length. [1-%u:%llu]", 0xFFFFFFFFu,
                    static_cast<unsigned long long>(data.size()));
    return Fail(e::kBadLength);
  }
  const auto n = static_cast<std::uint32_t>(data.size());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());

  const std::uint32_t check =
      one_d ? CheckBarcodeParam(group_1d, bytes, n) : CheckBarcode2DParam(group_2d, bytes, n);
  if (check != 0) return Fail(check);

  // Every command fits in the data plus 32 bytes, except CODE93, whose
  // encoding may double the data; its buffer grows as it is encoded.
  const std::size_t size = static_cast<std::size_t>(n) + 32;
  std::vector<std::uint8_t> out;
  try {
    out.reserve(size);
    const bool built = one_d ? AppendCommand1D(group_1d, bytes, n, &out)
                             : AppendCommand2D(group_2d, bytes, n, &out);
    if (!built) return false;
  } catch (const std::bad_alloc&) {
    KVT_BARCODE_LOG(L"GetBarcodeCommand [pCommandBuf] memory error [%llu]",
                    static_cast<unsigned long long>(size));
    return Fail(e::kOutOfMemory);
  }
  *command = std::move(out);
  return true;
}

}  // namespace kvt
