// The command line and the message that hands a command to the running copy.
#include "model/command_line.h"

#include <gtest/gtest.h>

using namespace wisplet;

TEST(CommandLine, SwitchesTheirTextTheirHandOverAndWhatIsNotUnderstood) {
  using enum AppCommand;
  struct Case {
    std::vector<std::string> args;
    AppCommand command;
    std::string text;
    bool error = false;
  } cases[] = {
      {{}, None, ""}, {{"/new"}, NewNote, ""}, {{"/NEW", "caf\xC3\xA9", "milk"}, NewNote, "caf\xC3\xA9 milk"},
      {{"-New", "two  blanks", "kept"}, NewNote, "two  blanks kept"}, {{"/new", "/hide"}, NewNote, "/hide"},
      {{"/new", "a\nb\rc\r\nd"}, NewNote, "a\r\nb\r\nc\r\nd"}, {{"/Show"}, ShowAll, ""}, {{"-hide"}, HideAll, ""},
      {{"/EXIT"}, Exit, ""}, {{"/delete"}, None, "", true}, {{"new"}, None, "", true}, {{"//new"}, None, "", true},
      {{""}, None, "", true}, {{"/show", "x"}, None, "", true}, {{"/news"}, None, "", true},
  };
  for (const Case& c : cases) {
    const std::string args = ::testing::PrintToString(c.args);
    ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.command, c.command) << args;
    EXPECT_EQ(parsed.text, c.text) << args;
    EXPECT_EQ(parsed.error, c.error) << args;
    EXPECT_EQ(parsed.message.empty(), !c.error) << args;
    if (parsed.command != None) {  // handed to a running copy, it arrives as it was given
      const HandedCommand handed{parsed.command, parsed.text};
      const std::string bytes = EncodeCommand(handed);
      EXPECT_EQ(DecodeCommand(kCommandMessageTag, bytes.data(), bytes.size()), handed) << args;
    }
    if (!c.error) continue;
    std::string joined = c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
    EXPECT_NE(parsed.message.find("\"" + joined + "\".\n\n" + CommandLineHelp()), std::string::npos) << parsed.message;
  }
  for (const char* line : {"\n/new [text] - ", "\n/show - ", "\n/hide - ", "\n/exit - "})
    EXPECT_NE(CommandLineHelp().find(line), std::string::npos) << line;
  EXPECT_EQ(ParseCommandLine({"-?"}).message, CommandLineHelp());
  EXPECT_FALSE(ParseCommandLine({"-?"}).error);
}

TEST(CommandLine, WhatAStartDoesAloneAndBesideARunningCopy) {
  using enum StartChoice;
  // By command (None, NewNote, ShowAll, HideAll, Exit): alone, beside a running copy.
  const StartChoice expected[][2] = {{StartWisplet, EndQuietly}, {StartWisplet, HandOver}, {StartWisplet, HandOver},
                                     {StartWisplet, HandOver},   {EndQuietly, HandOver}};
  for (int c = 0; c < 5; ++c)
    for (bool runs : {false, true}) EXPECT_EQ(ChooseStart(AppCommand(c), runs), expected[c][runs]) << c << runs;
}

TEST(HandedCommand, DamagedMessagesAreRejected) {
  const std::string good = EncodeCommand({AppCommand::NewNote, "milk"});
  auto with = [&](std::size_t at, char byte) { return good.substr(0, at) + byte + good.substr(at + 1); };
  struct Case {
    const char* what;
    std::string bytes;
    std::uintptr_t tag = kCommandMessageTag;
  } damaged[] = {
      {"another tag", good, kCommandMessageTag + 1}, {"empty", ""}, {"header cut", good.substr(0, 5)},
      {"text cut", good.substr(0, good.size() - 1)}, {"a byte more", good + "!"}, {"version 2", with(0, 2)},
      {"no command", with(1, 0)}, {"unknown command", with(1, 5)}, {"length beyond the end", with(5, 1)},
      {"text with /show", with(1, 2)}, {"a NUL in the text", with(7, '\0')}, {"foreign", "WM_COPYDATA of others"},
  };
  for (const Case& c : damaged) EXPECT_FALSE(DecodeCommand(c.tag, c.bytes.data(), c.bytes.size())) << c.what;
  EXPECT_FALSE(DecodeCommand(kCommandMessageTag, nullptr, 0));

  // Text beyond the limit is cut at a character boundary, and still decodes.
  const std::string bytes = EncodeCommand({AppCommand::NewNote, std::string(kMaxCommandTextBytes - 1, 'a') + "\xC3\xA9"});
  auto cut = DecodeCommand(kCommandMessageTag, bytes.data(), bytes.size());
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->text, std::string(kMaxCommandTextBytes - 1, 'a'));
}
