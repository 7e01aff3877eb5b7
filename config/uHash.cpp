#include "config/uHash.h"

#include <algorithm>
#include <numeric>

namespace velmora {

int THash::FindIndex(std::string_view key, bool insertMode) const {
  const int count = Count();
  if (count == 0) return -1;
  if (count == 1) {
    if (insertMode) return Compare(keys_[0], key) < 0 ? 1 : 0;
    return Compare(keys_[0], key) == 0 ? 0 : -1;
  }
  int lo = 0, hi = count - 1, mid = 0;
  bool found = false;
  for (;;) {
    const int span = hi - lo;
    mid = lo + span / 2;
    if (Compare(keys_[mid], key) == 0) {
      found = true;
      break;
    }
    if (span == 1) {
      if (Compare(keys_[lo], key) == 0) {
        mid = lo;
        found = true;
      }
      if (Compare(keys_[hi], key) == 0) {
        mid = hi;
        found = true;
      }
      if (insertMode && !found) {
        if (Compare(keys_[lo], key) > 0)
          mid = lo;
        else if (Compare(keys_[hi], key) > 0)
          mid = hi;
        else
          mid = hi + 1;
      }
      break;
    }
    if (Compare(keys_[mid], key) > 0)
      hi = mid;
    else
      lo = mid;
  }
  return found || insertMode ? mid : -1;
}

std::intptr_t THash::Get(std::string_view key) const {
  const int i = FindIndex(key, false);
  return i < 0 ? 0 : values_[i];
}

void THash::Set(std::string_view key, std::intptr_t value) {
  const int pos = std::max(FindIndex(key, true), 0);
  if (pos < Count() && keys_[pos] == key) {
    values_[pos] = value;
    return;
  }
  keys_.insert(keys_.begin() + pos, std::string(key));
  values_.insert(values_.begin() + pos, value);
}

std::intptr_t THash::GetAt(int index) const noexcept {
  return index >= 0 && index < Count() ? values_[index] : 0;
}

void THash::SetAt(int index, std::intptr_t value) noexcept {
  if (index >= 0 && index < Count()) values_[index] = value;
}

void THash::SetIgnoreCase(bool value) {
  if (value == ignoreCase_) return;
  ignoreCase_ = value;
  Sort();
}

void THash::Sort() {
  std::vector<std::size_t> order(keys_.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return Compare(keys_[a], keys_[b]) < 0; });
  std::vector<std::string> keys;
  std::vector<std::intptr_t> values;
  keys.reserve(order.size());
  values.reserve(order.size());
  for (std::size_t i : order) {
    keys.push_back(std::move(keys_[i]));
    values.push_back(values_[i]);
  }
  keys_ = std::move(keys);
  values_ = std::move(values);
}

void THash::Remove(std::string_view key) {
  const int i = FindIndex(key, false);
  if (i < 0) return;
  keys_.erase(keys_.begin() + i);
  values_.erase(values_.begin() + i);
}

void THash::Clear() noexcept {
  keys_.clear();
  values_.clear();
}

void THash::Rename(std::string_view oldKey, std::string_view newKey) {
  if (!Exists(oldKey)) return;
  const std::intptr_t v = Get(oldKey);
  Remove(oldKey);
  Set(newKey, v);
}

bool THash::Exists(std::string_view key) const {
  return std::any_of(keys_.begin(), keys_.end(),
                     [&](const std::string& k) { return compare_(k, key, true) == 0; });
}

void THash::CopyTo(THashList* list) const {
  if (!list) return;
  list->clear();
  for (std::size_t i = 0; i < keys_.size(); ++i) list->emplace_back(keys_[i], values_[i]);
}

}  // namespace velmora
