#include "config/uBrowser.h"

#include <windows.h>

#include <shellapi.h>

#include "engine/uTextRules.h"
#include "engine/uUtils.h"

namespace velmora {

TBrowser::TBrowser(ui::TComponent* owner) : ui::TComponent(owner) {
  FindBrowser();
}

void TBrowser::FindBrowser() {
  browserPath_ = FindAssociatedProgram(".htm");
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
      ShellExecuteA(nullptr, "open", url_.c_str(), nullptr, nullptr, SW_SHOW));
  if (r == ERROR_FILE_NOT_FOUND || r > 32) return;
  RunBrowser();
}

void TBrowser::RunBrowser() {
  if (url_.empty()) return;
  const std::string command = QuoteStr(browserPath_, '"') + " " + url_;
  WinExec(command.c_str(), SW_SHOW);
}

}  // namespace velmora
