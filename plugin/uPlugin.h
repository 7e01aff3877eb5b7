// The plugin frame: the host's 28-byte record and the three entries it calls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace velmora {

using InitEntry = int (*)();
using VoidEntry = void (*)();

// Layout fixed by the host, entries in this slot order: on i686 28 bytes of 32-bit fields;
// on x86-64 the interface's natural layout, pointers of 8 bytes.
struct TPluginRecord {
  std::int32_t Version;
  const char* Description;
  InitEntry Init;
  VoidEntry Config;
  VoidEntry Quit;
  HWND ParentWindow;          // written by the host
  HINSTANCE LibraryInstance;  // written by the host; not read
};

inline constexpr std::size_t PluginRecordSlot = sizeof(void*);
static_assert(sizeof(TPluginRecord) == 4 + 6 * PluginRecordSlot + (PluginRecordSlot - 4));
static_assert(sizeof(void*) != 4 || sizeof(TPluginRecord) == 28);
static_assert(offsetof(TPluginRecord, Version) == 0);
static_assert(offsetof(TPluginRecord, Description) == PluginRecordSlot);
static_assert(offsetof(TPluginRecord, Init) == 2 * PluginRecordSlot);
static_assert(offsetof(TPluginRecord, Config) == 3 * PluginRecordSlot);
static_assert(offsetof(TPluginRecord, Quit) == 4 * PluginRecordSlot);
static_assert(offsetof(TPluginRecord, ParentWindow) == 5 * PluginRecordSlot);
static_assert(offsetof(TPluginRecord, LibraryInstance) == 6 * PluginRecordSlot);

inline constexpr std::int32_t PluginRecordVersion = 0x10;
inline constexpr char PluginDescription[] = "DRAV v1.07   [gen_velmora.dll]";

// Resets and returns the one static record.
TPluginRecord* GetPluginRecord() noexcept;

}  // namespace velmora

extern "C" __declspec(dllexport) velmora::TPluginRecord* __cdecl winampGetGeneralPurposePlugin();
