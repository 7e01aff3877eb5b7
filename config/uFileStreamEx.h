// Little-endian stream helpers of the bitmap list's blob: 32-bit integers, bytes and
// length-prefixed strings. The reader takes outside bytes: it never reads past its end.
// No Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {

class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TStreamReader {
 public:
  TStreamReader(const std::uint8_t* data, std::size_t size) noexcept : data_(data), size_(size) {}

  std::size_t Position() const noexcept { return pos_; }
  void Seek(std::size_t position);
  std::size_t Remaining() const noexcept { return size_ - pos_; }
  const std::uint8_t* Here() const noexcept { return data_ + pos_; }

  std::int32_t ReadInt32();
  std::uint8_t ReadByte();
  // A zero or negative length gives the empty string.
  std::string ReadLString();
  void Read(void* out, std::size_t n);
  void Skip(std::size_t n);

 private:
  void Need(std::size_t n) const;

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void WriteInt32(std::vector<std::uint8_t>& out, std::int32_t value);
void WriteByte(std::vector<std::uint8_t>& out, std::uint8_t value);
void WriteLString(std::vector<std::uint8_t>& out, const std::string& text);

}  // namespace velmora
