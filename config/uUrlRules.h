// The browser launch's rules: quoting, the registered "open" command, the URL. No
// Windows header.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// q, then text with every q doubled, then q.
std::string QuoteStr(std::string_view text, char q);
// What lies between an opening q and its closing q, a doubled q standing for one; empty
// when text does not begin with q.
std::string UnquoteStr(std::string_view text, char q);
// The program of a registered "open" command, quoted: the first quoted part when there is
// one, else the command without "%1", single quotes and surrounding blanks.
std::string ProgramOfCommand(std::string_view command);
// The command line that opens url with a registered "open" command: the URL where "%1"
// stands (quoted or not, as the command has it), or after the command when it has none.
std::string CommandLineForUrl(std::string_view command, std::string_view url);
// A URL as the browser gets it: with "http://" in front when it names no scheme (no ":"
// before its first "/") or is made of colons alone; an empty URL stays empty.
std::string CompleteUrl(std::string_view url);

}  // namespace velmora
