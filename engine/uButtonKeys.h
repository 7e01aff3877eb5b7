// The mouse's middle and side buttons as keys: which press is a bound word and is taken from
// the program under the pointer, and which release goes with a press that was taken. No
// Windows header.
#pragma once

#include <atomic>
#include <utility>
#include <vector>

#include "hook/uShortCutWord.h"

namespace velmora {

class TButtonKeys {
 public:
  // The words of the commands that name a button.
  explicit TButtonKeys(std::vector<TShortCut> words) : words_(std::move(words)) {}

  // A press of the button vk with these modifiers held: its word when a command has it
  // (the press is taken), else 0 (it passes, and so does its release).
  TShortCut Press(unsigned vk, bool shift, bool ctrl, bool alt, bool win) noexcept;
  // The release of vk: true when its press was taken (the release is taken too).
  bool Release(unsigned vk) noexcept;
  // A press taken and given back to the program after all: its release passes.
  void GiveBack(unsigned vk) noexcept;
  // A taken press not released yet; read on any thread.
  bool Held(unsigned vk) const noexcept;

 private:
  const std::vector<TShortCut> words_;
  std::atomic<bool> taken_[3] = {};
};

// The button words among a command table's hot keys.
std::vector<TShortCut> ButtonWords(const TShortCut* words, int count);

}  // namespace velmora
