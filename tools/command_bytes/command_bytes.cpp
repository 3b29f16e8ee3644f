#include "tools/command_bytes/command_bytes.h"

#include <cstdio>

namespace kvt::tools {
namespace {

// How a command's data length is given after its fixed bytes.
enum class Tail {
  kNone,
  kBarcode,   // GS k: system byte, then a length byte (two parts for JAN add-ons)
  kTwoD,      // GS p: by its function byte
  kGraphics,  // GS ( x: pL pH, then that many bytes
  kCut,       // GS V m [n]: n only for m 65 and 66
};

struct Shape {
  std::uint8_t first;
  std::uint8_t second;  // 0 with |single|: a one-byte command
  bool single;
  std::size_t params;  // bytes after the command's own
  Tail tail;
  const char* name;
};

constexpr Shape kShapes[] = {
    {0x09, 0, true, 0, Tail::kNone, "HT  horizontal tab"},
    {0x0A, 0, true, 0, Tail::kNone, "LF  print and feed one line"},
    {0x0D, 0, true, 0, Tail::kNone, "CR  print"},
    {0x1B, 0x40, false, 0, Tail::kNone, "ESC @  initialise the printer"},
    {0x1B, 0x61, false, 1, Tail::kNone, "ESC a  justification"},
    {0x1B, 0x21, false, 1, Tail::kNone, "ESC !  print mode"},
    {0x1B, 0x4A, false, 1, Tail::kNone, "ESC J  feed n dots"},
    {0x1B, 0x64, false, 1, Tail::kNone, "ESC d  feed n lines"},
    {0x1D, 0x21, false, 1, Tail::kNone, "GS !  character size"},
    {0x1D, 0x48, false, 1, Tail::kNone, "GS H  HRI position"},
    {0x1D, 0x66, false, 1, Tail::kNone, "GS f  HRI font"},
    {0x1D, 0x68, false, 1, Tail::kNone, "GS h  barcode height"},
    {0x1D, 0x77, false, 1, Tail::kNone, "GS w  module width"},
    {0x1D, 0x6A, false, 1, Tail::kNone, "GS j  barcode rotation"},
    {0x1D, 0x6E, false, 1, Tail::kNone, "GS n  PDF417 module width"},
    {0x1D, 0x6F, false, 1, Tail::kNone, "GS o  PDF417 module height"},
    {0x12, 0x3A, false, 1, Tail::kNone, "DC2 :  narrow/wide ratio"},
    {0x12, 0x3B, false, 1, Tail::kNone, "DC2 ;  2D code module size"},
    {0x1D, 0x6B, false, 0, Tail::kBarcode, "GS k  print barcode"},
    {0x1D, 0x70, false, 0, Tail::kTwoD, "GS p  print 2D code"},
    {0x1D, 0x28, false, 0, Tail::kGraphics, "GS (  extended command"},
    {0x1D, 0x56, false, 1, Tail::kCut, "GS V  cut the paper"},
};

// GS k system bytes 0x41 to 0x57.
const char* BarcodeName(std::uint8_t system) {
  switch (system) {
    case 0x41:
      return "UPC-A";
    case 0x42:
      return "UPC-E";
    case 0x43:
      return "EAN13";
    case 0x44:
      return "EAN8";
    case 0x45:
      return "CODE39";
    case 0x46:
      return "ITF";
    case 0x47:
      return "CODABAR";
    case 0x48:
      return "CODE93";
    case 0x49:
      return "CODE128";
    case 0x4B:
      return "GS1 DataBar Omnidirectional";
    case 0x4C:
      return "GS1 DataBar Truncated";
    case 0x4D:
      return "GS1 DataBar Limited";
    case 0x4E:
      return "GS1 DataBar Expanded";
    case 0x57:
      return "JAN13 with add-on";
    default:
      return "unknown system";
  }
}

// The bytes a command takes from |at| (its first byte), or 0 when the job
// ends first; |detail| gets what the parameters say.
std::size_t Measure(const Shape& shape, const std::uint8_t* at, std::size_t left,
                    std::string* detail) {
  std::size_t need = (shape.single ? 1 : 2) + shape.params;
  if (left < need) return 0;
  const std::uint8_t* p = at + need;  // after the fixed part
  auto more = [&](std::size_t n) {
    if (left - need < n) return false;
    need += n;
    p = at + need;
    return true;
  };
  char text[96] = {};
  switch (shape.tail) {
    case Tail::kNone:
      if (shape.params == 1) std::snprintf(text, sizeof text, " %u", at[2]);
      break;
    case Tail::kCut:
      std::snprintf(text, sizeof text, " mode %u", at[2]);
      if ((at[2] == 65 || at[2] == 66) && !more(1)) return 0;
      break;
    case Tail::kBarcode: {
      if (!more(2)) return 0;
      const std::uint8_t system = p[-2];
      std::size_t data = p[-1];
      if (system == 0x57) {  // the main code and the add-on, each with its length
        if (!more(data + 1)) return 0;
        const std::size_t add_on = p[-1];
        data += add_on;
        if (!more(add_on)) return 0;
      } else if (!more(data)) {
        return 0;
      }
      std::snprintf(text, sizeof text, ": %s, %zu bytes of data", BarcodeName(system), data);
      break;
    }
    case Tail::kTwoD: {
      if (!more(1)) return 0;
      const std::uint8_t function = p[-1];
      std::size_t data = 0;
      const char* kind = "unknown function";
      if (function == 0x00 || function == 0x01 || function == 0x02) {
        // PDF417: mode, level, lines, columns; QR Code: model, level, a
        // parameter, mode; DataMatrix: 0, two parameters. Then nL nH.
        const std::size_t params = function == 0x02 ? 3 : 4;
        if (!more(params + 2)) return 0;
        data = p[-2] | static_cast<std::size_t>(p[-1]) << 8;
        kind = function == 0x00 ? "PDF417" : function == 0x01 ? "QR Code" : "DataMatrix";
      } else if (function == 0x03) {
        if (!more(1)) return 0;
        const std::uint8_t mode = p[-1];
        const std::size_t primary = mode == 2 ? 15 : mode == 3 ? 12 : 0;
        if (!more(primary + 1)) return 0;
        data = primary + p[-1];
        if (!more(p[-1])) return 0;
        std::snprintf(text, sizeof text, ": MaxiCode mode %u, %zu bytes of data", mode, data);
        break;
      } else if (function == 0x04) {
        if (!more(1)) return 0;
        const std::uint8_t kind4 = p[-1];
        if (kind4 == 0x01 || kind4 == 0x02) {
          if (!more(1)) return 0;
        }
        if (!more(1)) return 0;
        data = p[-1];
        kind = kind4 == 0x00   ? "GS1 DataBar Stacked"
               : kind4 == 0x01 ? "GS1 DataBar Stacked Omnidirectional"
                               : "GS1 DataBar Expanded Stacked";
      } else {
        std::snprintf(text, sizeof text, ": %s 0x%02X", kind, function);
        break;
      }
      if (!more(data)) return 0;
      std::snprintf(text, sizeof text, ": %s, %zu bytes of data", kind, data);
      break;
    }
    case Tail::kGraphics: {
      // GS ( x pL pH, then pL + 256 pH bytes.
      if (!more(3)) return 0;
      const std::uint8_t function = p[-3];
      const std::size_t data = p[-2] | static_cast<std::size_t>(p[-1]) << 8;
      if (!more(data)) return 0;
      const std::uint8_t* body = p - data;
      if (function != 0x4C) {
        std::snprintf(text, sizeof text, ": function 0x%02X, %zu bytes", function, data);
      } else if (data >= 6 && body[0] == 0x30 && body[1] == 0x45) {
        std::snprintf(text, sizeof text, ": L, print NV graphics, key code \"%c%c\", scale %ux%u",
                      body[2], body[3], body[4], body[5]);
      } else {
        std::snprintf(text, sizeof text, ": %zu bytes", data);
      }
      break;
    }
  }
  *detail = text;
  return need;
}

bool IsText(std::uint8_t byte) { return byte >= 0x20 && byte != 0x7F; }

}  // namespace

std::vector<DecodedCommand> DecodeCommands(const std::uint8_t* bytes, std::size_t size) {
  std::vector<DecodedCommand> commands;
  std::size_t at = 0;
  while (at < size) {
    DecodedCommand command;
    command.offset = at;
    const Shape* found = nullptr;
    for (const Shape& shape : kShapes) {
      if (bytes[at] != shape.first) continue;
      if (!shape.single && (at + 1 >= size || bytes[at + 1] != shape.second)) continue;
      found = &shape;
      break;
    }
    if (found != nullptr) {
      std::string detail;
      command.size = Measure(*found, bytes + at, size - at, &detail);
      command.name = found->name + detail;
      if (command.size == 0) {
        command.size = size - at;
        command.truncated = true;
        command.name = std::string(found->name) + " (cut short by the end of the job)";
      }
    } else if (IsText(bytes[at])) {
      std::string shown = "text \"";
      while (at + command.size < size && IsText(bytes[at + command.size])) {
        const std::uint8_t c = bytes[at + command.size++];
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c < 0x80 ? "%c" : "\\x%02X", c);
        shown += c == '"' || c == '\\' ? std::string("\\") + static_cast<char>(c) : escaped;
      }
      command.name = shown + "\"";
    } else {
      command.size = 1;
      command.name = "unknown byte";
    }
    commands.push_back(command);
    at += command.size;
  }
  return commands;
}

std::string FormatCommands(const std::uint8_t* bytes, std::size_t size, std::size_t per_line) {
  if (per_line == 0) per_line = 1;
  std::string out;
  for (const DecodedCommand& command : DecodeCommands(bytes, size)) {
    for (std::size_t line = 0; line < command.size; line += per_line) {
      std::string hex;
      for (std::size_t i = line; i < command.size && i < line + per_line; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X ", bytes[command.offset + i]);
        hex += byte;
      }
      if (line == 0) {
        hex.resize(per_line * 3, ' ');
        hex += " " + command.name;
      } else {
        hex.pop_back();
      }
      out += hex + "\n";
    }
  }
  return out;
}

}  // namespace kvt::tools
