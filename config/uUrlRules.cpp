#include "config/uUrlRules.h"

#include "settings/uTextRules.h"

namespace velmora {

namespace {
void EraseAll(std::string& text, std::string_view what) {
  for (std::size_t at; (at = text.find(what)) != std::string::npos;) text.erase(at, what.size());
}
void CutAt(std::string& text, std::string_view what) {
  const std::size_t at = text.find(what);
  if (at != std::string::npos) text.resize(at);
}
}  // namespace

std::string QuoteStr(std::string_view text, char q) {
  std::string out(1, q);
  for (char c : text) {
    out += c;
    if (c == q) out += q;
  }
  out += q;
  return out;
}

std::string UnquoteStr(std::string_view text, char q) {
  if (text.empty() || text[0] != q) return {};
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != q) {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == q) {
      out += q;
      ++i;
    } else {
      break;
    }
  }
  return out;
}

std::string ProgramOfCommand(std::string_view command) {
  std::string c(command);
  if (c.empty()) return {};
  const std::size_t first = c.find('"');
  const std::size_t second = first == std::string::npos ? first : c.find('"', first + 1);
  if (second != std::string::npos) c = c.substr(first + 1, second - first - 1);
  if (c.find('"') != std::string::npos) {
    CutAt(c, " -");
    CutAt(c, " /");
    EraseAll(c, "\"");
  }
  EraseAll(c, "%1");
  EraseAll(c, "'");
  return QuoteStr(TrimLowBytes(c), '"');
}

std::string CommandLineForUrl(std::string_view command, std::string_view url) {
  std::string line(TrimLowBytes(command));
  if (line.find("%1") == std::string::npos) return line + " " + std::string(url);
  for (std::size_t at = 0; (at = line.find("%1", at)) != std::string::npos; at += url.size())
    line.replace(at, 2, url);
  return line;
}

std::string CompleteUrl(std::string_view url) {
  if (url.empty()) return {};  // no address: stays inert
  const std::size_t colon = url.find(':');
  const std::size_t slash = url.find('/');
  const bool scheme =
      colon != std::string_view::npos && (slash == std::string_view::npos || colon < slash);
  // Split at the colons, a piece that is not empty stays not empty when percent-decoded
  // ("%%", "+" and a stray "%" all leave a byte): only colons alone leave nothing.
  const bool onlyColons = url.find_first_not_of(':') == std::string_view::npos;
  if (!scheme || onlyColons) return "http://" + std::string(url);
  return std::string(url);
}

}  // namespace velmora
