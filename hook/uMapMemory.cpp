#include "hook/uMapMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace velmora {

TMapMemory::TMapMemory(ui::TComponent* owner) : ui::TComponent(owner), mapName_(Name) {}

TMapMemory::~TMapMemory() {
  if (opened_) CloseMap();
  std::free(saveBuffer_);
}

bool TMapMemory::OpenMap() {
  if (opened_) CloseMap();
  creator_ = false;
  bool creator = false;
  ui::TKernelHandle map(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mapName_.c_str()));
  if (!map) {
    SetLastError(ERROR_SUCCESS);
    map.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                 static_cast<DWORD>(size_), mapName_.c_str()));
    if (!map) return false;
    // Another process made the block between our open and create: it is theirs.
    creator = GetLastError() != ERROR_ALREADY_EXISTS;
  }
  ui::TView view(MapViewOfFile(map.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!view) return false;
  map_ = std::move(map);
  view_ = std::move(view);
  creator_ = creator;
  opened_ = true;
  if (creator_) std::memset(view_.Get(), 0, static_cast<size_t>(size_));
  return true;
}

void TMapMemory::CloseMap() noexcept {
  view_.Reset();
  map_.Reset();
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
    if (saveBuffer_) std::memcpy(saveBuffer_, Memory(), static_cast<size_t>(oldSize));
  }
  CloseMap();
  store();
  OpenMap();
  if (carried && creator_ && saveBuffer_) {
    std::memcpy(Memory(), saveBuffer_, static_cast<size_t>(std::min(oldSize, size_)));
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

THookBlockOwner* OpenHookBlock() {
  auto* map = new THookBlockOwner(nullptr);
  map->SetMapName(HookBlockName);
  map->SetSize(HookBlockSize);
  if (!map->OpenMap()) {
    delete map;
    return nullptr;
  }
  if (map->Creator()) {
    BlockOf(map)->Owner = OwnerValue(map);
  }
  return map;
}

void ReleaseHookBlock(TMapMemory* block) noexcept {
  if (block && !block->Creator()) delete block;
}

TScopedHookBlock::TScopedHookBlock() noexcept
    : handle_(OpenFileMappingA(FILE_MAP_READ, FALSE, HookBlockName)) {
  if (handle_) view_.Reset(MapViewOfFile(handle_.Get(), FILE_MAP_READ, 0, 0, 0));
}

}  // namespace velmora
