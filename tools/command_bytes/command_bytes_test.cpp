#include "tools/command_bytes/command_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvt::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Case {
  const char* what;
  Bytes job;
  std::vector<std::string> names;  // each command's name, in order
  bool last_truncated;
};

std::string Join(const std::vector<DecodedCommand>& commands) {
  std::string names;
  for (const DecodedCommand& c : commands) names += c.name + "|";
  return names;
}

TEST(CommandBytes, CutsJobsIntoNamedCommands) {
  const Case cases[] = {
      {"barcode test print",
       {0x1B, 0x40, 0x0A, 0x1B, 0x61, 0x01, 'U', 'P', 'C',  0x0A, 0x1D, 0x48,
        0x02, 0x1D, 0x6B, 0x41, 0x03, '1',  '2', '3', 0x1B, 0x4A, 0xA8},
       {"ESC @  initialise the printer", "LF  print and feed one line", "ESC a  justification 1",
        "text \"UPC\"", "LF  print and feed one line", "GS H  HRI position 2",
        "GS k  print barcode: UPC-A, 3 bytes of data", "ESC J  feed n dots 168"},
       false},
      {"JAN13 add-on: two lengths",
       {0x1D, 0x6B, 0x57, 0x02, '4', '9', 0x02, '1', '2', 0x0A},
       {"GS k  print barcode: JAN13 with add-on, 4 bytes of data", "LF  print and feed one line"},
       false},
      {"QR Code and MaxiCode mode 2",
       {0x1D, 0x70, 0x01, 0x02, 0x4C, 0x00, 0x00, 0x02, 0x00, 'A', 'B',
        0x1D, 0x70, 0x03, 0x02, '1',  '2',  '3',  '4',  '5',  '6', '7',
        '8',  '9',  '0',  '1',  '2',  '3',  '4',  '5',  0x01, 'X'},
       {"GS p  print 2D code: QR Code, 2 bytes of data",
        "GS p  print 2D code: MaxiCode mode 2, 16 bytes of data"},
       false},
      {"NV graphics",
       {0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, '4', '2', 0x01, 0x01},
       {"GS (  extended command: L, print NV graphics, key code \"42\", scale 1x1"},
       false},
      {"a length past the end is cut short, not read",
       {0x1D, 0x6B, 0x49, 0xFF, 'A'},
       {"GS k  print barcode (cut short by the end of the job)"},
       true},
      {"unknown bytes and code-page text",
       {0x07, 'A', 0x09, 0x82, 0xA0, 0x1B},
       {"unknown byte", "text \"A\"", "HT  horizontal tab", "text \"\\x82\\xA0\"", "unknown byte"},
       false},
  };
  for (const Case& c : cases) {
    const std::vector<DecodedCommand> commands = DecodeCommands(c.job.data(), c.job.size());
    std::vector<std::string> names;
    std::size_t covered = 0;
    for (const DecodedCommand& command : commands) {
      EXPECT_EQ(command.offset, covered) << c.what;
      covered += command.size;
      names.push_back(command.name);
    }
    EXPECT_EQ(names, c.names) << c.what << ": " << Join(commands);
    EXPECT_EQ(covered, c.job.size()) << c.what;
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back().truncated, c.last_truncated) << c.what;
  }
}

TEST(CommandBytes, FormatsLongCommandsOverSeveralLines) {
  const Bytes job = {0x1D, 0x6B, 0x45, 0x04, 'A', 'B', 'C', 'D', 0x0A};
  EXPECT_EQ(FormatCommands(job.data(), job.size(), 4),
            "1D 6B 45 04  GS k  print barcode: CODE39, 4 bytes of data\n"
            "41 42 43 44\n"
            "0A           LF  print and feed one line\n");
}

}  // namespace
}  // namespace kvt::tools
