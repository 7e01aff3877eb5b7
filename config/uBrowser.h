// Opens a URL in the user's browser: through the shell's "open" verb, falling back to
// the program of the ".htm" association, or that program directly. Made for one request,
// then freed: nothing is cached, so a change of the default browser counts at once.
#pragma once

#include <string>

#include "ui/uComponent.h"

namespace velmora {

class TBrowser : public ui::TComponent {
 public:
  explicit TBrowser(ui::TComponent* owner = nullptr);

  bool Auto = false;  // setting URL opens it at once
  const std::string& URL() const noexcept { return url_; }
  void SetURL(const std::string& value);
  void OpenURL();
  void RunBrowser();
  const std::string& BrowserPath() const noexcept { return browserPath_; }

 private:
  void FindBrowser();

  std::string url_;
  std::string browserPath_;
  std::string browserCommand_;  // the association's command as registered
};

}  // namespace velmora
