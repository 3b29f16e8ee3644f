// Reading a fuzz input: numbers, length-prefixed pieces, flags, and records
// placed on the heap at their exact size, so a read past one is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace kvt::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  // Up to four bytes, little-endian; zero past the end.
  std::uint32_t Number() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && pos_ < size_; ++i) value |= std::uint32_t{data_[pos_++]} << (8 * i);
    return value;
  }
  // As many bytes as the next byte says, or what is left.
  std::vector<std::uint8_t> Piece() {
    if (pos_ >= size_) return {};
    const std::size_t length = data_[pos_++];
    const std::size_t take = length < size_ - pos_ ? length : size_ - pos_;
    pos_ += take;
    return std::vector<std::uint8_t>(data_ + pos_ - take, data_ + pos_);
  }
  bool Flag() { return pos_ < size_ && (data_[pos_++] & 1) != 0; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  const std::uint8_t* Rest(std::size_t* length) {
    *length = size_ - pos_;
    return data_ + pos_;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A record of type T from |data|'s bytes at |offset| on; what the input
// lacks stays zero.
template <class T>
std::unique_ptr<T> RecordAt(const std::uint8_t* data, std::size_t size, std::size_t offset) {
  auto record = std::make_unique<T>();
  std::memset(static_cast<void*>(record.get()), 0, sizeof(T));
  if (offset < size) {
    std::memcpy(static_cast<void*>(record.get()), data + offset,
                size - offset < sizeof(T) ? size - offset : sizeof(T));
  }
  return record;
}

}  // namespace kvt::fuzz
