// The plugin frame: the host's 28-byte record and the three entries it calls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace velmora {

using InitEntry = int (*)();
using VoidEntry = void (*)();

// Layout fixed by the host: 32-bit fields, entries in this slot order.
struct TPluginRecord {
  std::int32_t Version;
  const char* Description;
  InitEntry Init;
  VoidEntry Config;
  VoidEntry Quit;
  HWND ParentWindow;          // written by the host
  HINSTANCE LibraryInstance;  // written by the host; not read
};

static_assert(sizeof(TPluginRecord) == 28);
static_assert(offsetof(TPluginRecord, Version) == 0);
static_assert(offsetof(TPluginRecord, Description) == 4);
static_assert(offsetof(TPluginRecord, Init) == 8);
static_assert(offsetof(TPluginRecord, Config) == 12);
static_assert(offsetof(TPluginRecord, Quit) == 16);
static_assert(offsetof(TPluginRecord, ParentWindow) == 20);
static_assert(offsetof(TPluginRecord, LibraryInstance) == 24);

inline constexpr std::int32_t PluginRecordVersion = 0x10;
inline constexpr char PluginDescription[] = "DRAV v1.07   [gen_velmora.dll]";

// Resets and returns the one static record.
TPluginRecord* GetPluginRecord() noexcept;

}  // namespace velmora

extern "C" __declspec(dllexport) velmora::TPluginRecord* __cdecl winampGetGeneralPurposePlugin();
