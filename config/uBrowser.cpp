#include "config/uBrowser.h"

#include <windows.h>

#include <shellapi.h>

#include "config/uUrlRules.h"
#include "config/uRegistry.h"
#include "ui/uHandle.h"
#include "ui/uLateBind.h"

namespace velmora {

TBrowser::TBrowser(ui::TComponent* owner) : ui::TComponent(owner) {
  FindBrowser();
}

void TBrowser::FindBrowser() {
  browserCommand_ = FindAssociatedCommand(".htm");
  browserPath_ = ProgramOfCommand(browserCommand_);
  if (browserPath_.empty()) return;
  std::string unquoted = UnquoteStr(browserPath_, '"');
  if (!unquoted.empty()) browserPath_ = std::move(unquoted);
}

void TBrowser::SetURL(const std::string& value) {
  // Compared completed, so that "example.org" set twice opens once too.
  std::string completed = CompleteUrl(value);
  if (completed == url_) return;
  url_ = std::move(completed);
  if (Auto) OpenURL();
}

void TBrowser::OpenURL() {
  if (url_.empty()) return;
  const auto r = reinterpret_cast<INT_PTR>(
      ui::late::ShellExecuteA(nullptr, "open", url_.c_str(), nullptr, nullptr, SW_SHOW));
  if (r == ERROR_FILE_NOT_FOUND || r > 32) return;
  RunBrowser();
}

void TBrowser::RunBrowser() {
  if (url_.empty()) return;
  // The association's own switches stay; the URL goes where it asks for it.
  std::string command = browserCommand_.empty() ? QuoteStr(browserPath_, '"') + " " + url_
                                                : CommandLineForUrl(browserCommand_, url_);
  // Started without waiting for it to come up: a browser slow to start must not hold the
  // player's thread, and with it, in send mode, every program's keystrokes.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    const ui::TKernelHandle thread(process.hThread), started(process.hProcess);
  }
}

}  // namespace velmora
