// Runs a function when the scope it was made in ends, by return or by exception: the one
// way this code undoes a step on every path. No Windows header.
#pragma once

#include <utility>

namespace velmora {

template <class F>
class [[nodiscard]] TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)) {}
  ~TScopeExit() { f_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F f_;
};

}  // namespace velmora
