// kvt-bytes: the bytes of a print job (a port file, a captured job) in hex,
// one command per line with its name beside it.
//
//   kvt-bytes FILE
//
// Exit codes: 0 done, 1 the file cannot be read, 2 bad arguments.
#include <cstdio>
#include <vector>

#include "tools/command_bytes/command_bytes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kvt-bytes FILE\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "kvt-bytes: cannot open %s\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> bytes;
  unsigned char block[4096];
  std::size_t read = 0;
  while ((read = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + read);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    std::fprintf(stderr, "kvt-bytes: cannot read %s\n", argv[1]);
    return 1;
  }
  std::fputs(kvt::tools::FormatCommands(bytes.data(), bytes.size()).c_str(), stdout);
  return 0;
}
