// Named shared memory, and the 45-byte hook block every hooked process reads.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/uComponent.h"
#include "ui/uHandle.h"

namespace velmora {

class TMapMemory : public ui::TComponent {
 public:
  explicit TMapMemory(ui::TComponent* owner = nullptr);
  ~TMapMemory() override;

  // Maps the block named MapName, creating it with Size bytes when it does not exist.
  bool OpenMap();
  void CloseMap() noexcept;

  const std::string& MapName() const noexcept { return mapName_; }
  void SetMapName(const std::string& name);
  std::int32_t Size() const noexcept { return size_; }
  void SetSize(std::int32_t size);

  void* Memory() const noexcept { return view_.Get(); }
  bool Creator() const noexcept { return creator_; }
  bool Opened() const noexcept { return opened_; }

 private:
  template <class Store>
  void Reopen(Store store);

  void* saveBuffer_ = nullptr;
  std::string mapName_;
  std::int32_t size_ = 1024;
  bool opened_ = false;
  ui::TKernelHandle map_;
  ui::TView view_;  // released before the mapping
  bool creator_ = false;
};

#pragma pack(push, 1)
// Written only by the installing thread (InstallHooks, SetCbtHook, UninstallHooks);
// read by the hook procedures in every hooked thread of every process. Handles fit in 32
// bits on either architecture (the system keeps them so for 32- and 64-bit processes to
// share them); only the installer's address is wider on x86-64.
struct THookBlock {
#ifdef _WIN64
  std::uint64_t Owner;  // installer: address of the TMapMemory keeping the block
#else
  std::uint32_t Owner;  // installer: address of the TMapMemory keeping the block
#endif
  std::uint32_t KeyHook;          // WH_KEYBOARD handle, 0 when not set
  std::uint32_t GetMsgHook;       // WH_GETMESSAGE handle, 0 when not set
  std::uint32_t CbtHook;          // WH_CBT handle, set and cleared by SetCbtHook
  std::uint32_t TargetWnd;        // the engine's window: destination of every notice
  std::uint32_t OwnerThreadId;    // the installing thread
  std::uint32_t KeyMsg;           // 1280, or 0 with key operation off
  std::uint32_t JogMsg;           // 1281, or 0 with jog operation off
  std::uint32_t CreateMsg;        // 1282
  std::uint32_t JogDialMsgId;     // RegisterWindowMessageA("SonyJogDialPlugIn")
  std::uint32_t AsyncEventMsgId;  // RegisterWindowMessageA("SonyAsyncEvent")
  std::uint8_t SendMode;          // 1: SendMessageA with input attached; 0: PostMessageA
};
#pragma pack(pop)

// The 32-bit block is 45 bytes; the 64-bit one widens Owner, moving the rest by four.
inline constexpr std::size_t HookBlockShift = sizeof(void*) == 8 ? 4 : 0;
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);
static_assert(sizeof(THookBlock) == 45 + HookBlockShift);
static_assert(offsetof(THookBlock, Owner) == 0);
static_assert(offsetof(THookBlock, KeyHook) == 4 + HookBlockShift);
static_assert(offsetof(THookBlock, GetMsgHook) == 8 + HookBlockShift);
static_assert(offsetof(THookBlock, CbtHook) == 12 + HookBlockShift);
static_assert(offsetof(THookBlock, TargetWnd) == 16 + HookBlockShift);
static_assert(offsetof(THookBlock, OwnerThreadId) == 20 + HookBlockShift);
static_assert(offsetof(THookBlock, KeyMsg) == 24 + HookBlockShift);
static_assert(offsetof(THookBlock, JogMsg) == 28 + HookBlockShift);
static_assert(offsetof(THookBlock, CreateMsg) == 32 + HookBlockShift);
static_assert(offsetof(THookBlock, JogDialMsgId) == 36 + HookBlockShift);
static_assert(offsetof(THookBlock, AsyncEventMsgId) == 40 + HookBlockShift);
static_assert(offsetof(THookBlock, SendMode) == 44 + HookBlockShift);

// A 64-bit plugin keeps a block of its own: a 32-bit one may run in the same session,
// and each reads only its own layout.
#ifdef _WIN64
inline constexpr char HookBlockName[] = "HOOK_52517C64_D326_46BC_9685_74FB3769E58D_64";
#else
inline constexpr char HookBlockName[] = "HOOK_52517C64_D326_46BC_9685_74FB3769E58D";
#endif
inline constexpr std::int32_t HookBlockSize = sizeof(THookBlock);

// The object that keeps the hook block, in the installing process: the owner of the hooks
// installed there. The block holds their handles as plain values, for the hook procedures
// of every process to call the next hook with.
class THookBlockOwner : public TMapMemory {
 public:
  using TMapMemory::TMapMemory;
  ui::THookHandle KeyHook, GetMsgHook, CbtHook;  // unhooked before the block is closed
};

// The hook block opened (created when missing), or null.
THookBlockOwner* OpenHookBlock();
// Ends a use begun with OpenHookBlock; the creating object stays, keeping the block.
void ReleaseHookBlock(TMapMemory* block) noexcept;

inline THookBlock* BlockOf(TMapMemory* map) noexcept {
  return static_cast<THookBlock*>(map->Memory());
}
// The block's owner; only meaningful in the process that created the block.
inline THookBlockOwner* OwnerOf(const THookBlock* b) noexcept {
  return reinterpret_cast<THookBlockOwner*>(static_cast<std::uintptr_t>(b->Owner));
}
inline decltype(THookBlock::Owner) OwnerValue(THookBlockOwner* owner) noexcept {
  return reinterpret_cast<std::uintptr_t>(owner);
}

// The hook procedures' use of the block: opens an existing block for one call and
// never creates one, allocates nothing and cannot throw. A block created inside a
// foreign process would outlive the plugin there and disable the next installation.
class TScopedHookBlock {
 public:
  TScopedHookBlock() noexcept;
  const volatile THookBlock* operator->() const noexcept {
    return static_cast<const volatile THookBlock*>(view_.Get());
  }
  explicit operator bool() const noexcept { return static_cast<bool>(view_); }

 private:
  ui::TKernelHandle handle_;
  ui::TView view_;
};

}  // namespace velmora
