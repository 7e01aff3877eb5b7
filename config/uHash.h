// A small sorted dictionary from names to pointer-sized values: binary search over a key
// list kept in order by a comparison given at construction (the locale's, on Windows).
// No Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// Negative, 0 or positive as a sorts before, equal to or after b.
using TKeyCompare = int (*)(std::string_view a, std::string_view b, bool ignoreCase);

using THashList = std::vector<std::pair<std::string, std::intptr_t>>;

class THash {
 public:
  explicit THash(TKeyCompare compare) noexcept : compare_(compare) {}
  virtual ~THash() = default;

  int Count() const noexcept { return static_cast<int>(keys_.size()); }
  std::intptr_t Get(std::string_view key) const;
  void Set(std::string_view key, std::intptr_t value);
  std::intptr_t GetAt(int index) const noexcept;
  void SetAt(int index, std::intptr_t value) noexcept;
  bool IgnoreCase() const noexcept { return ignoreCase_; }
  void SetIgnoreCase(bool value);
  void Remove(std::string_view key);
  void Clear() noexcept;
  void Rename(std::string_view oldKey, std::string_view newKey);
  bool Exists(std::string_view key) const;
  // The keys in order, each with its value; a null list is left alone.
  void CopyTo(THashList* list) const;

  const std::vector<std::string>& Keys() const noexcept { return keys_; }
  // The index of key (exact mode, -1 when absent), or where it keeps the order (insert).
  int FindIndex(std::string_view key, bool insertMode) const;

 private:
  int Compare(std::string_view a, std::string_view b) const { return compare_(a, b, ignoreCase_); }
  void Sort();

  TKeyCompare compare_;
  std::vector<std::string> keys_;
  std::vector<std::intptr_t> values_;
  bool ignoreCase_ = true;
};

}  // namespace velmora
