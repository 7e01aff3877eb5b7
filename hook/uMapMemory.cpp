#include "hook/uMapMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace velmora {

TMapMemory::TMapMemory(ui::TComponent* owner) : ui::TComponent(owner), mapName_(Name) {}

TMapMemory::~TMapMemory() {
  if (opened_) CloseMap();
  std::free(saveBuffer_);
}

bool TMapMemory::OpenMap() {
  if (opened_) CloseMap();
  creator_ = false;
  mapHandle_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mapName_.c_str());
  if (!mapHandle_) {
    SetLastError(ERROR_SUCCESS);
    mapHandle_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    static_cast<DWORD>(size_), mapName_.c_str());
    if (!mapHandle_) return false;
    // Another process made the block between our open and create: it is theirs.
    creator_ = GetLastError() != ERROR_ALREADY_EXISTS;
  }
  memory_ = MapViewOfFile(mapHandle_, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!memory_) {
    CloseHandle(mapHandle_);
    mapHandle_ = nullptr;
    creator_ = false;
    return false;
  }
  opened_ = true;
  if (creator_) std::memset(memory_, 0, static_cast<size_t>(size_));
  return true;
}

void TMapMemory::CloseMap() noexcept {
  if (memory_) UnmapViewOfFile(memory_);
  if (mapHandle_) CloseHandle(mapHandle_);
  memory_ = nullptr;
  mapHandle_ = nullptr;
  opened_ = false;
  creator_ = false;
}

// Renaming or resizing an open block carries its bytes over when this object created
// both the old and the new block, as many as the smaller of the two sizes holds.
template <class Store>
void TMapMemory::Reopen(Store store) {
  if (!opened_) {
    store();
    return;
  }
  const bool carried = creator_;
  const std::int32_t oldSize = size_;
  if (carried) {
    saveBuffer_ = std::calloc(static_cast<size_t>(std::max(oldSize, 1)), 1);
    if (saveBuffer_) std::memcpy(saveBuffer_, memory_, static_cast<size_t>(oldSize));
  }
  CloseMap();
  store();
  OpenMap();
  if (carried && creator_ && saveBuffer_) {
    std::memcpy(memory_, saveBuffer_, static_cast<size_t>(std::min(oldSize, size_)));
  }
  std::free(saveBuffer_);
  saveBuffer_ = nullptr;
}

void TMapMemory::SetMapName(const std::string& name) {
  if (name == mapName_) return;
  Reopen([&] { mapName_ = name; });
}

void TMapMemory::SetSize(std::int32_t size) {
  if (size == size_) return;
  Reopen([&] { size_ = size; });
}

TMapMemory* OpenHookBlock() {
  auto* map = new TMapMemory(nullptr);
  map->SetMapName(HookBlockName);
  map->SetSize(HookBlockSize);
  if (!map->OpenMap()) {
    delete map;
    return nullptr;
  }
  if (map->Creator()) {
    BlockOf(map)->Owner = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(map));
  }
  return map;
}

void ReleaseHookBlock(TMapMemory* block) noexcept {
  if (block && !block->Creator()) delete block;
}

TScopedHookBlock::TScopedHookBlock() noexcept
    : handle_(OpenFileMappingA(FILE_MAP_READ, FALSE, HookBlockName)) {
  if (handle_)
    block_ =
        static_cast<const volatile THookBlock*>(MapViewOfFile(handle_, FILE_MAP_READ, 0, 0, 0));
}

TScopedHookBlock::~TScopedHookBlock() {
  if (block_) UnmapViewOfFile(const_cast<THookBlock*>(block_));
  if (handle_) CloseHandle(handle_);
}

}  // namespace velmora
