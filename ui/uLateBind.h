// The functions of the system libraries that only the player's process uses (the common
// controls and dialogs, the shell), and those of user32 that older systems lack, bound by
// name at their first call. The hooks make the
// system load this DLL into every program that takes a key; a normal import of these
// libraries would load them there too, and what they bring with them (ole32, rpcrt4, the
// print spooler's), before that program's next key is handled.
//
// Each wraps the system function of the same name. One that the system cannot give throws
// std::runtime_error naming it, which the barrier around the caller reports; those marked
// noexcept answer as the system function answers a failure instead.
// Called on the player's user-interface thread only.
#pragma once

#include <windows.h>
// clang-format off: commctrl.h and shlobj.h need windows.h first
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

namespace velmora::ui::late {

BOOL ChooseColorW(CHOOSECOLORW* choice);
BOOL GetOpenFileNameW(OPENFILENAMEW* dialog);
PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info);
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, wchar_t* path);
void CoTaskMemFree(void* memory) noexcept;
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show);
// E_NOTIMPL where the system has no such query.
HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) noexcept;
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept;
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Windows 10 1607 and later: 0 and null where the system has none.
UINT GetDpiForWindow(HWND window) noexcept;
void* SetThreadDpiAwarenessContext(void* context) noexcept;

// Forgets every function bound and lets the libraries go: the plugin's quit, after its
// windows are gone. A later call binds again.
void ReleaseLibraries() noexcept;

}  // namespace velmora::ui::late
