#include "plugin/uPlugin.h"

#include <cstring>
#include <memory>

#include "engine/uWinampManager.h"
#include "ui/uApplication.h"

namespace velmora {

namespace {

TPluginRecord gRecord;

// The frame is the one owner of the long-lived objects; the process-wide pointers
// only borrow them.
std::unique_ptr<TWinampManager> gWinampManager;

void DestroyObjects() noexcept {
  WinampManager = nullptr;
  gWinampManager.reset();
}

int PluginInit() noexcept {
  try {
    gWinampManager = std::make_unique<TWinampManager>(gRecord.ParentWindow);
    WinampManager = gWinampManager.get();
    return 0;
  } catch (const std::exception& e) {
    DestroyObjects();
    ui::ShowException(e);
  } catch (...) {
    DestroyObjects();
  }
  return 1;  // the host's failure value: it unloads the plugin
}

void PluginConfig() noexcept {}

void PluginQuit() noexcept { ui::Guarded([] { DestroyObjects(); }); }

}  // namespace

TPluginRecord* GetPluginRecord() noexcept {
  std::memset(&gRecord, 0, sizeof gRecord);
  gRecord.Version = PluginRecordVersion;
  gRecord.Description = PluginDescription;
  gRecord.Init = &PluginInit;
  gRecord.Config = &PluginConfig;
  gRecord.Quit = &PluginQuit;
  return &gRecord;
}

}  // namespace velmora

velmora::TPluginRecord* __cdecl winampGetGeneralPurposePlugin() {
  return velmora::GetPluginRecord();
}
