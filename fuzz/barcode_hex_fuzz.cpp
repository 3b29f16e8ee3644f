// HexTextToBytes on arbitrary UTF-16 text: it must stay inside the text and
// inside count / 2 bytes of output, and agree with a plain pairwise reading.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "barcode/barcode_command.h"

namespace {

int Digit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t count = size / 2;
  std::unique_ptr<char16_t[]> text(new char16_t[count + 1]);
  if (count != 0) std::memcpy(text.get(), data, count * 2);
  const std::size_t room = count / 2;
  std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[room + 1]);
  const int written = kvt::HexTextToBytes(out.get(), text.get(), static_cast<int>(count));
  if (written < 0 || static_cast<std::size_t>(written) > room) std::abort();

  // The same reading, written out plainly.
  std::size_t i = 0;
  int expected = 0;
  while (i < count) {
    if (Digit(text[i]) < 0) {
      ++i;
    } else if (i + 1 == count) {
      break;
    } else {
      if (Digit(text[i + 1]) >= 0) {
        if (expected >= written || out[expected] != Digit(text[i]) * 16 + Digit(text[i + 1])) {
          std::abort();
        }
        ++expected;
      }
      i += 2;
    }
  }
  if (expected != written) std::abort();
  return 0;
}
