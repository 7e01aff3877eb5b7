#include "config/uFileStreamEx.h"

#include <cstring>

namespace velmora {

void TStreamReader::Need(std::size_t n) const {
  if (n > size_ - pos_) throw EStreamError("the data ends early");
}

void TStreamReader::Seek(std::size_t position) {
  if (position > size_) throw EStreamError("the data ends early");
  pos_ = position;
}

void TStreamReader::Read(void* out, std::size_t n) {
  Need(n);
  if (n) std::memcpy(out, data_ + pos_, n);
  pos_ += n;
}

void TStreamReader::Skip(std::size_t n) {
  Need(n);
  pos_ += n;
}

std::int32_t TStreamReader::ReadInt32() {
  Need(4);
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
  pos_ += 4;
  return static_cast<std::int32_t>(v);
}

std::uint8_t TStreamReader::ReadByte() {
  Need(1);
  return data_[pos_++];
}

std::string TStreamReader::ReadLString() {
  const std::int32_t n = ReadInt32();
  if (n <= 0) return {};
  Need(static_cast<std::size_t>(n));
  std::string s(reinterpret_cast<const char*>(data_ + pos_), static_cast<std::size_t>(n));
  pos_ += static_cast<std::size_t>(n);
  return s;
}

void WriteInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void WriteByte(std::vector<std::uint8_t>& out, std::uint8_t value) {
  out.push_back(value);
}

void WriteLString(std::vector<std::uint8_t>& out, const std::string& text) {
  WriteInt32(out, static_cast<std::int32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

}  // namespace velmora
