#include "ui/uLateBind.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace velmora::ui::late {

namespace {

enum TLibrary { kComctl32, kComdlg32, kShell32, kOle32, kUser32, kLibraries };
constexpr const wchar_t* kLibraryNames[kLibraries] = {L"comctl32.dll", L"comdlg32.dll",
                                                      L"shell32.dll", L"ole32.dll", L"user32.dll"};

enum TFunction {
  kChooseColorW,
  kGetOpenFileNameW,
  kSHBrowseForFolderW,
  kSHGetPathFromIDListW,
  kCoTaskMemFree,
  kShellExecuteA,
  kSHQueryUserNotificationState,
  kInitCommonControlsEx,
  kSetWindowSubclass,
  kRemoveWindowSubclass,
  kDefSubclassProc,
  kGetDpiForWindow,
  kSetThreadDpiAwarenessContext,
  kFunctions
};
struct TEntry {
  TLibrary Library;
  const char* Name;
};
constexpr TEntry kEntries[kFunctions] = {
    {kComdlg32, "ChooseColorW"},
    {kComdlg32, "GetOpenFileNameW"},
    {kShell32, "SHBrowseForFolderW"},
    {kShell32, "SHGetPathFromIDListW"},
    {kOle32, "CoTaskMemFree"},
    {kShell32, "ShellExecuteA"},
    {kShell32, "SHQueryUserNotificationState"},
    {kComctl32, "InitCommonControlsEx"},
    {kComctl32, "SetWindowSubclass"},
    {kComctl32, "RemoveWindowSubclass"},
    {kComctl32, "DefSubclassProc"},
    {kUser32, "GetDpiForWindow"},
    {kUser32, "SetThreadDpiAwarenessContext"},
};

HMODULE modules[kLibraries];
FARPROC bound[kFunctions];
bool looked[kFunctions];  // a function the system lacks is looked for once

HMODULE Library(TLibrary library) noexcept {
  if (!modules[library]) {
    // The system folder only; a bare name, so that the process's activation context still
    // picks the common controls' version.
    modules[library] =
        LoadLibraryExW(kLibraryNames[library], nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!modules[library] && GetLastError() == ERROR_INVALID_PARAMETER)  // a system without it
      modules[library] = LoadLibraryW(kLibraryNames[library]);
  }
  return modules[library];
}

FARPROC Find(TFunction f) noexcept {
  if (!looked[f]) {
    const HMODULE module = Library(kEntries[f].Library);
    if (module) bound[f] = GetProcAddress(module, kEntries[f].Name);
    looked[f] = module != nullptr;
  }
  return bound[f];
}

template <class F>
F Cast(FARPROC p) noexcept {
  return reinterpret_cast<F>(reinterpret_cast<void*>(p));
}

// The function, or nothing where the system has none.
template <class F>
F TryBind(TFunction f) noexcept {
  return Cast<F>(Find(f));
}

template <class F>
F Bind(TFunction f) {
  if (const FARPROC p = Find(f)) return Cast<F>(p);
  throw std::runtime_error(std::string("The system has no ") + kEntries[f].Name);
}

}  // namespace

BOOL ChooseColorW(CHOOSECOLORW* choice) {
  return Bind<decltype(&::ChooseColorW)>(kChooseColorW)(choice);
}

BOOL GetOpenFileNameW(OPENFILENAMEW* dialog) {
  return Bind<decltype(&::GetOpenFileNameW)>(kGetOpenFileNameW)(dialog);
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info) {
  return Bind<decltype(&::SHBrowseForFolderW)>(kSHBrowseForFolderW)(info);
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, wchar_t* path) {
  return Bind<decltype(&::SHGetPathFromIDListW)>(kSHGetPathFromIDListW)(list, path);
}

void CoTaskMemFree(void* memory) noexcept {
  // Only memory the shell handed out comes here, so its library is loaded already.
  if (const auto free = TryBind<decltype(&::CoTaskMemFree)>(kCoTaskMemFree)) free(memory);
}

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show) {
  return Bind<decltype(&::ShellExecuteA)>(kShellExecuteA)(owner, verb, file, parameters, directory,
                                                          show);
}

HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) noexcept {
  const auto query =
      TryBind<decltype(&::SHQueryUserNotificationState)>(kSHQueryUserNotificationState);
  return query ? query(state) : E_NOTIMPL;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  return Bind<decltype(&::InitCommonControlsEx)>(kInitCommonControlsEx)(classes);
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  return Bind<decltype(&::SetWindowSubclass)>(kSetWindowSubclass)(window, proc, id, data);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept {
  const auto remove = TryBind<decltype(&::RemoveWindowSubclass)>(kRemoveWindowSubclass);
  return remove ? remove(window, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  // Reached only from a subclass the library set, so it is there; the window's own
  // procedure is the answer otherwise.
  if (const auto next = TryBind<decltype(&::DefSubclassProc)>(kDefSubclassProc))
    return next(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

UINT GetDpiForWindow(HWND window) noexcept {
  using F = UINT(WINAPI*)(HWND);
  const auto get = TryBind<F>(kGetDpiForWindow);
  return get ? get(window) : 0;
}

void* SetThreadDpiAwarenessContext(void* context) noexcept {
  using F = void*(WINAPI*)(void*);
  const auto set = TryBind<F>(kSetThreadDpiAwarenessContext);
  return set ? set(context) : nullptr;
}

void ReleaseLibraries() noexcept {
  for (FARPROC& f : bound) f = nullptr;
  for (bool& l : looked) l = false;
  for (HMODULE& m : modules)
    if (m) FreeLibrary(std::exchange(m, nullptr));
}

}  // namespace velmora::ui::late
