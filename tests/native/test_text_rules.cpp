#include <gtest/gtest.h>

#include "config/uUrlRules.h"
#include "settings/uTextRules.h"

using namespace velmora;

TEST(Quoting, DoublesTheQuoteAndUnquotesBack) {
  EXPECT_EQ(QuoteStr("C:\\a b\\x.exe", '"'), "\"C:\\a b\\x.exe\"");
  EXPECT_EQ(QuoteStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  for (const char* t : {"", "plain", "say \"hi\"", "\"", "\"\"x\"", "it's"})
    EXPECT_EQ(UnquoteStr(QuoteStr(t, '"'), '"'), t) << t;
  EXPECT_EQ(UnquoteStr("no quote", '"'), "");
  EXPECT_EQ(UnquoteStr("\"open ended", '"'), "open ended");
  EXPECT_EQ(UnquoteStr("\"a\" rest", '"'), "a");
}

TEST(AssociationCommand, TheProgramComesOutQuoted) {
  // A quoted program path with arguments: only the path.
  EXPECT_EQ(ProgramOfCommand("\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\""),
            "\"C:\\Program Files\\Web\\web.exe\"");
  // Unquoted: "%1" and single quotes go, the other arguments stay.
  EXPECT_EQ(ProgramOfCommand("C:\\web\\web.exe %1"), "\"C:\\web\\web.exe\"");
  EXPECT_EQ(ProgramOfCommand("  C:\\web\\web.exe -new '%1'  "), "\"C:\\web\\web.exe -new\"");
  // A lone quote: cut at " -" and " /", the quote removed.
  EXPECT_EQ(ProgramOfCommand("C:\\web\\web.exe\" /dde -x"), "\"C:\\web\\web.exe\"");
  EXPECT_EQ(ProgramOfCommand(""), "");
}

TEST(UrlCompletion, ASchemeLessUrlGetsHttp) {
  EXPECT_EQ(CompleteUrl("http://example.org/"), "http://example.org/");
  EXPECT_EQ(CompleteUrl("mailto:someone@example.org"), "mailto:someone@example.org");
  EXPECT_EQ(CompleteUrl("example.org/velmora"), "http://example.org/velmora");
  EXPECT_EQ(CompleteUrl("example.org"), "http://example.org");
  EXPECT_EQ(CompleteUrl("example.org/a:b"), "http://example.org/a:b");
  EXPECT_EQ(CompleteUrl(":::"), "http://:::");
  EXPECT_EQ(CompleteUrl(""), "");
  // A stray percent sign is text, not a failure.
  EXPECT_EQ(CompleteUrl("http://example.org/100%"), "http://example.org/100%");
  EXPECT_EQ(CompleteUrl("http://example.org/%zz+%%"), "http://example.org/%zz+%%");
}

TEST(BrowserCommand, TheUrlGoesWhereTheAssociationAsksForIt) {
  EXPECT_EQ(CommandLineForUrl("\"C:\\Web\\web.exe\" -url \"%1\" -new-tab", "http://a.example/"),
            "\"C:\\Web\\web.exe\" -url \"http://a.example/\" -new-tab");
  EXPECT_EQ(CommandLineForUrl("C:\\Web\\web.exe -new-window %1 -foreground", "http://a.example/"),
            "C:\\Web\\web.exe -new-window http://a.example/ -foreground");
  // No "%1": the URL follows the command.
  EXPECT_EQ(CommandLineForUrl(" \"C:\\Web\\web.exe\"  ", "http://a.example/"),
            "\"C:\\Web\\web.exe\" http://a.example/");
  // A URL holding "%1" itself is put in once, not again.
  EXPECT_EQ(CommandLineForUrl("web.exe %1", "http://a.example/?q=%1"),
            "web.exe http://a.example/?q=%1");
}
