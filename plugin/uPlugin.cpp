#include "plugin/uPlugin.h"

#include <cstring>
#include <utility>

#include "config/uCustom.h"
#include "engine/uUtils.h"
#include "engine/uWatch.h"
#include "engine/uWinampManager.h"
#include "popup/uPopupForm.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uLateBind.h"
#include "ui/uScopeExit.h"

namespace velmora {

namespace {

TPluginRecord gRecord;

// The frame is the one owner of the three long-lived objects; the engine and the dialog
// are given the settings and the player control they work with. Plain pointers that init
// fills and quit empties: a global with a destructor has the runtime register it as the
// DLL loads, an allocation in every program the hooks bring the DLL into.
TIniManager* gSettings = nullptr;
TWinampManager* gPlayer = nullptr;
TWatch* gWatch = nullptr;

// Quit's order: the engine (hooks, window), the popups still on the screen (their
// window class goes with the module), the player control, then the settings, saved: a
// file that cannot be written is reported, and the objects go all the same.
void DestroyObjects() noexcept {
  ui::Guarded([] { delete std::exchange(gWatch, nullptr); });
  TPopupForm::DestroyAll();
  delete std::exchange(gPlayer, nullptr);
  if (gSettings) ui::Guarded([] { gSettings->Save(); });
  delete std::exchange(gSettings, nullptr);
  ui::UnregisterWindowClasses();
  ui::late::ReleaseLibraries();
}

int PluginInit() noexcept {
  // The host reloaded its plugins from a message that came inside one of this plugin's
  // pumps: the last run's teardown waits for those frames to unwind. It must not tear
  // down this run; the last run's objects, if any, serve it.
  if (ui::CancelWhenUnwound(DestroyObjects) && gWatch) return 0;
  if (ui::Guarded(false, [] {
        gSettings = new TIniManager(TWinampManager::GetIniDirectory(gRecord.ParentWindow));
        gPlayer = new TWinampManager(gRecord.ParentWindow);
        gWatch = new TWatch(*gSettings, *gPlayer);
        return true;
      }))
    return 0;
  DestroyObjects();
  return 1;  // the host's failure value
}

// The dialog while config runs it. A second config meanwhile (the player asks again from
// a menu command its loop still dispatches) brings it forward: two dialogs would each
// save, the last one closed over the other.
TfrmCustom* gDialog = nullptr;

void PluginConfig() noexcept {
  if (!gWatch) return;
  if (gDialog) {
    ForceForeground(gDialog->Handle());
    return;
  }
  ui::TDispatchScope scope;
  gWatch->SetEnabled(false);
  ui::Guarded([] {
    gDialog = new TfrmCustom(*gSettings);
    // Its destruction, which saves, is requested whatever way the run ends.
    const TScopeExit release([] { std::exchange(gDialog, nullptr)->Release(); });
    gDialog->ShowModal();
  });
  ui::Guarded([] {
    ui::ProcessMessages();  // the release: the dialog writes back and saves before the reload
    gWatch->Reload();
  });
  gWatch->SetEnabled(true);
}

// Quit called from inside a pump of the plugin's own (a hot key's, a popup's, config's):
// the frames below still use the objects, and the host unloads the module as soon as quit
// returns. The module is pinned and the objects go when those frames have unwound.
void PluginQuit() noexcept {
  if (ui::InDispatch()) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&PluginQuit), &self);
  }
  ui::RunWhenUnwound(DestroyObjects);
}

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
