#include "storage/settings.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "model/errors.h"
#include "storage/text_encoding.h"

using namespace wisplet;
using namespace wisplet::testing;

namespace {

const char kExe[] = "C:\\Notes\\Wisplet.exe";

const char kDefaultSchemeSection[] =
    "[Scheme0]\r\n"
    "Name=Default\r\n"
    "AlphaBlendValue=0\r\n"
    "TitleColor=clWindow\r\n"
    "TitleFontColor=clNavy\r\n"
    "TitleGradColor=clSkyBlue\r\n"
    "TitleGradType=0\r\n"
    "MemoColor=clWhite\r\n"
    "MemoFontColor=clBlack\r\n"
    "MemoGradColor=clSkyBlue\r\n"
    "MemoGradType=0\r\n";

TListColorScheme Load(const std::string& text) {
  TListColorScheme list;
  LoadSchemes(list, IniDocument::Parse(text));
  return list;
}

}  // namespace

TEST(ValueForms, IntegersBooleansBytes) {
  IniDocument doc = IniDocument::Parse(
      "[S]\r\ndec=42\r\nneg=-7\r\nhex=$1F\r\nbad=abc\r\nempty=\r\nbig=300\r\nminus=-1\r\n"
      "t=5\r\nf=0\r\nx=0x10\r\ntrail=12 \r\nlead=  12\r\n");
  struct Case {
    const char* key;
    int def;
    int expected;
  } ints[] = {{"dec", 0, 42},   {"neg", 0, -7},  {"hex", 0, 31},   {"bad", 9, 9},
              {"empty", 9, 9},  {"none", 9, 9},  {"x", 0, 16},     {"trail", 3, 12},
              {"lead", 3, 12}};
  for (const auto& c : ints) EXPECT_EQ(ReadInteger(doc, "S", c.key, c.def), c.expected) << c.key;
  EXPECT_EQ(ReadByte(doc, "S", "big", 0), 44);
  EXPECT_EQ(ReadByte(doc, "S", "minus", 0), 255);
  EXPECT_EQ(ReadByte(doc, "S", "bad", 0), 0);
  EXPECT_TRUE(ReadBool(doc, "S", "t", false));
  EXPECT_FALSE(ReadBool(doc, "S", "f", true));
  EXPECT_TRUE(ReadBool(doc, "S", "none", true));
  EXPECT_FALSE(ReadBool(doc, "S", "bad", false));
}

TEST(ValueForms, ColorsTakeTheirDefaultWhenUnreadable) {
  IniDocument doc = IniDocument::Parse("[S]\r\nok=clRed\r\nhex=$00DCDCDC\r\nbad=1,2,3\r\nempty=\r\n");
  EXPECT_EQ(ReadColor(doc, "S", "ok", 0), 0x0000FFu);
  EXPECT_EQ(ReadColor(doc, "S", "hex", 0), 0x00DCDCDCu);
  EXPECT_EQ(ReadColor(doc, "S", "bad", 0x123), 0x123u);
  EXPECT_EQ(ReadColor(doc, "S", "empty", 0x123), 0x123u);
  EXPECT_EQ(ReadColor(doc, "S", "missing", 0x456), 0x456u);
}

TEST(ValueForms, TextThatTheProfileWouldAlterIsQuoted) {
  const std::string texts[] = {"plain", "  leading", "trailing  ", "\"quoted\"", "'single'",
                               "\"half", "", "a=b", "\t tab", "ctrl-z\x1A", "\x0Bvt", "form\x0C",
                               "\"\"", "''", "\"", "'", "\"\"\"", "\" \"", "\"'"};
  for (const auto& text : texts) {
    IniDocument doc;
    WriteText(doc, "S", "k", text);
    IniDocument back = IniDocument::Parse(doc.Serialize());
    EXPECT_EQ(ReadText(back, "S", "k", "?"), text) << doc.Serialize();
  }
  IniDocument doc;
  WriteText(doc, "S", "k", "two\r\nlines");
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=two  lines\r\n");
}

TEST(LoadSchemes, ReadsTheDefaultSectionAndMissingKeysTakeDefaults) {
  TListColorScheme list = Load(std::string("[Main]\r\nSchemesCount=2\r\n") + kDefaultSchemeSection);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], DefaultScheme());
  TColorScheme second;
  second.Name = "Scheme1";
  EXPECT_EQ(list[1], second);  // all black, types 0, opaque
}

TEST(LoadSchemes, BadValuesTakeTheKeysDefault) {
  TListColorScheme list = Load(
      "[Main]\r\nSchemesCount=1\r\n[Scheme0]\r\nName=X\r\nAlphaBlendValue=300\r\nTitleGradType=abc\r\n"
      "TitleColor=not a color\r\nMemoColor=$00F0CAA6\r\nMemoGradType=-1\r\n");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].AlphaBlendValue, 44);
  EXPECT_EQ(list[0].TitleGradType, 0);
  EXPECT_EQ(list[0].TitleColor, clBlack);
  EXPECT_EQ(list[0].MemoColor, 0x00F0CAA6u);
  EXPECT_EQ(list[0].MemoGradType, 255);
}

TEST(LoadSchemes, CountsOutOfRange) {
  struct Case {
    std::string count;
    std::size_t expected;
  } cases[] = {{"-5", 0},          {"abc", 0},        {"0", 0},
               {"3", 3},           {"2147483647", 1024}, {"$7FFFFFFF", 1024},
               {"1024", 1024},     {"1025", 1024}};
  for (const auto& c : cases)
    EXPECT_EQ(Load("[Main]\r\nSchemesCount=" + c.count + "\r\n").size(), c.expected) << c.count;

  // A file that really holds more sections than the bound is read whole.
  std::string big = "[Main]\r\nSchemesCount=1500\r\n";
  for (int i = 0; i < 1500; ++i) big += "[Scheme" + std::to_string(i) + "]\r\nName=n\r\n";
  EXPECT_EQ(Load(big).size(), 1500u);
}

TEST(SaveSchemes, RenumbersAndLeavesNoSectionAtOrAboveTheCount) {
  TListColorScheme list;
  for (int i = 0; i < 4; ++i) {
    TColorScheme s = DefaultScheme();
    s.Name = "S" + std::to_string(i);
    list.push_back(s);
  }
  MemoryFile file;
  TIniFile ini(file);
  SaveSchemes(list, ini);
  DeleteScheme(list, list[1]);
  SaveSchemes(list, ini);
  IniDocument doc = IniDocument::Parse(file.bytes);
  EXPECT_EQ(ReadInteger(doc, "Main", "SchemesCount", -1), 3);
  EXPECT_EQ(ReadText(doc, "Scheme1", "Name", ""), "S2");
  EXPECT_FALSE(doc.HasSection("Scheme3"));
  TListColorScheme back;
  LoadSchemes(back, doc);
  EXPECT_EQ(back, list);
}

TEST(SaveSchemes, WritesTheDocumentedLayout) {
  MemoryFile file;
  TIniFile ini(file);
  SaveSchemes({DefaultScheme()}, ini);
  EXPECT_EQ(file.bytes, std::string("[Main]\r\nSchemesCount=1\r\n") + kDefaultSchemeSection);
}

TEST(SaveSchemes, RoundTripOfAFileWrittenByTheProgramChangesNothing) {
  // Scheme sections go to the end of the file when they are rewritten, as with
  // the profile functions, so a file the program wrote has them last.
  const std::string text =
      std::string("[Main]\r\nCurrentStyle=OfficeXP\r\nSchemesCount=1\r\n[Other]\r\nmine=kept\r\n") +
      kDefaultSchemeSection;
  MemoryFile file(text);
  TIniFile ini(file);
  TListColorScheme list;
  LoadSchemes(list, ini.Load());
  SaveSchemes(list, ini);
  EXPECT_EQ(file.writes, 0);  // nothing changed, nothing written
  list[0].Name = "Renamed";
  SaveSchemes(list, ini);
  EXPECT_EQ(file.writes, 1);
  EXPECT_NE(file.bytes.find("[Other]\r\nmine=kept\r\n[Scheme0]\r\nName=Renamed\r\n"),
            std::string::npos);
}

TEST(TIniFile, FailuresLeaveTheFileAndRaiseUnableToWrite) {
  MemoryFile file("[Main]\r\nSchemesCount=0\r\n");
  file.writeFails = true;
  TIniFile ini(file);
  try {
    SaveSchemes({DefaultScheme()}, ini);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to C:\\Notes\\Wisplet.ini");
  }
  EXPECT_EQ(file.bytes, "[Main]\r\nSchemesCount=0\r\n");

  // A file that exists but cannot be read is never overwritten.
  MemoryFile locked("[Main]\r\nSchemesCount=0\r\n");
  locked.readFails = true;
  TIniFile lockedIni(locked);
  EXPECT_THROW(SaveSchemes({DefaultScheme()}, lockedIni), Error);
  EXPECT_EQ(locked.writes, 0);
  EXPECT_TRUE(lockedIni.Load().SectionCount() == 0);
}

TEST(TIniFile, AMissingFileIsNotCreatedByAnEmptySave) {
  MemoryFile file;
  TIniFile ini(file);
  SaveSchemes({}, ini);  // writes SchemesCount=0, so the file comes into being
  EXPECT_EQ(file.bytes, "[Main]\r\nSchemesCount=0\r\n");
  MemoryFile untouched;
  TIniFile ini2(untouched);
  ini2.Update([](IniDocument&) {});
  EXPECT_FALSE(untouched.exists);
}

namespace {

// UTF-16 code units as bytes, low byte first or high byte first.
std::string Le(std::u16string_view units) {
  std::string out;
  for (char16_t u : units) out += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  return out;
}
std::string Be(std::u16string_view units) {
  std::string out;
  for (char16_t u : units) out += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
  return out;
}

}  // namespace

// Files saved as Unicode: read as UTF-8, every character kept, and written
// back in their own encoding. (The program worked in a code page once: the
// snowman read as "?" and was written back so; it keeps it now.)
TEST(TIniFile, UnicodeFilesKeepTheirEncodingAndTheLinesNotWritten) {
  const std::u16string before =
      u"[Main]\r\nCurrentStyle=caf\u00E9\r\nName=\u2603\r\n[Mine]\r\nsnow=\u2603 \U0001F600\r\n";
  const std::u16string after =
      u"[Main]\r\nCurrentStyle=caf\u00E9\r\nName=\u2603\r\nSchemesCount=0\r\n[Mine]\r\nsnow=\u2603 \U0001F600\r\n";
  struct Case {
    std::string before, after;
  } cases[] = {{"\xEF\xBB\xBF" + Utf16ToUtf8(before), "\xEF\xBB\xBF" + Utf16ToUtf8(after)},
               {"\xFF\xFE" + Le(before), "\xFF\xFE" + Le(after)},
               {"\xFE\xFF" + Be(before), "\xFE\xFF" + Be(after)}};
  for (const auto& c : cases) {
    MemoryFile file(c.before);
    TIniFile ini(file);
    IniDocument doc = ini.Load();
    EXPECT_EQ(ReadText(doc, "Main", "CurrentStyle", ""), "caf\xC3\xA9");
    EXPECT_EQ(ReadText(doc, "Mine", "snow", ""), "\xE2\x98\x83 \xF0\x9F\x98\x80");
    ini.Update([&](IniDocument& d) {
      WriteText(d, "Main", "CurrentStyle", ReadText(d, "Main", "CurrentStyle", ""));  // unchanged
      WriteText(d, "main", "Name", ReadText(d, "Main", "Name", ""));
      WriteInteger(d, "Main", "SchemesCount", 0);
    });
    EXPECT_EQ(file.bytes, c.after);
  }
  // Names in UTF-8 find their sections in a UTF-16 file.
  MemoryFile named("\xFF\xFE" + Le(u"[\u00E9]\r\nk=\u2603\r\n"));
  TIniFile namedIni(named);
  EXPECT_EQ(ReadText(namedIni.Load(), "\xC3\xA9", "k", ""), "\xE2\x98\x83");
  namedIni.Update([](IniDocument& d) { d.Set("\xC3\x89", "n", "\xC3\xBF"); d.EraseSection("\xC3\xA9"); });
  EXPECT_EQ(named.bytes, "\xFF\xFE" + Le(u"[\u00C9]\r\nn=\u00FF\r\n"));
}

TEST(TIniFile, UnicodeFilesAtTheirEdges) {
  const std::string le = "\xFF\xFE";
  struct Case {
    const char* name;
    std::string bytes;
    std::string value;  // [S] k, as the program reads it
    std::string saved;  // after a save that changes nothing; empty: not saved
  } cases[] = {
      {"a byte order mark alone", le, "<none>", le},
      {"an odd last byte is half a character and dropped", le + Le(u"[S]\r\nk=v\r\n") + "Z", "v",
       le + Le(u"[S]\r\nk=v\r\n")},
      {"a lone surrogate survives", le + Le(u"[S]\r\nk=") + Le(std::u16string(1, 0xD800)) + Le(u"x\r\n"),
       "\xED\xA0\x80x",
       le + Le(u"[S]\r\nk=") + Le(std::u16string(1, 0xD800)) + Le(u"x\r\n")},
      {"UTF-8 that is not UTF-8 survives", "\xEF\xBB\xBF[S]\r\nk=\xC3(\xC0\x80\xED\xA0\x80\r\n",
       "\xC3(\xC0\x80\xED\xA0\x80",
       "\xEF\xBB\xBF[S]\r\nk=\xC3(\xC0\x80\xED\xA0\x80\r\n"},
      {"UTF-16 without a byte order mark is 8-bit text", Le(u"[S]\r\nk=v\r\n"), "<none>", ""},
      {"characters at each UTF-8 length boundary survive",
       le + Le(u"[S]\r\nk=\u007F\u0080\u07FF\u0800\uFFFF\U00010000\r\n"),
       "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80",
       le + Le(u"[S]\r\nk=\u007F\u0080\u07FF\u0800\uFFFF\U00010000\r\n")},
      // Kept byte for byte, as any other bytes that are not UTF-8: they show
      // as U+FFFD only where they are drawn.
      {"an overlong form and a lead byte where a continuation belongs are kept",
       "\xEF\xBB\xBF[S]\r\nk=\xE0\x80\xAF\xE2\xC3\xA9\r\n", "\xE0\x80\xAF\xE2\xC3\xA9",
       "\xEF\xBB\xBF[S]\r\nk=\xE0\x80\xAF\xE2\xC3\xA9\r\n"},
  };
  for (const auto& c : cases) {
    MemoryFile file(c.bytes);
    TIniFile ini(file);
    EXPECT_EQ(ReadText(ini.Load(), "S", "k", "<none>"), c.value) << c.name;
    if (c.saved.empty()) continue;
    ini.Update([](IniDocument& d) { d.Set("T", "x", "1"); d.EraseSection("T"); });
    EXPECT_EQ(file.bytes, c.saved) << c.name;
  }
}

TEST(MainSettings, AutorunFollowsTheRegistryValue) {
  struct Case {
    bool present;
    std::string value;
    bool autoRun;
  } cases[] = {{false, "", false},
               {true, kExe, true},
               {true, "C:\\Other\\Program.exe", false},
               {true, "c:\\notes\\wisplet.exe", false},  // compared with case
               {true, std::string("\"") + kExe + "\"", false}};
  for (const auto& c : cases) {
    FakeAutorun autorun;
    autorun.present = c.present;
    autorun.value = c.value;
    RecordingMessages messages;
    ProgramState state;
    LoadMainSettings(state, IniDocument(), MachineKeyOnly(autorun), kExe, messages);
    EXPECT_EQ(state.AutoRun, c.autoRun) << c.value;
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(MainSettings, StyleIsReadAndWrittenBackAsItWas) {
  for (std::string style : {"Default", "OfficeXP", "Fancy", ""}) {
    MemoryFile file("[Main]\r\nCurrentStyle=" + style + "\r\n");
    TIniFile ini(file);
    FakeAutorun autorun;
    RecordingMessages messages;
    ProgramState state;
    LoadMainSettings(state, ini.Load(), MachineKeyOnly(autorun), kExe, messages);
    EXPECT_EQ(state.CurrentStyle, style);
    SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
    EXPECT_EQ(file.writes, 0) << style;
  }
  ProgramState state;
  LoadMainSettings(state, IniDocument(), MachineKeyOnly(*std::make_unique<FakeAutorun>()),
                   kExe, *std::make_unique<RecordingMessages>());
  EXPECT_EQ(state.CurrentStyle, "Default");
}

TEST(MainSettings, SaveWritesOverwritesAndDeletesTheRegistryValue) {
  FakeAutorun autorun;
  autorun.present = true;
  autorun.value = "C:\\Other\\Program.exe";
  MemoryFile file;
  TIniFile ini(file);
  RecordingMessages messages;
  ProgramState state;
  state.AutoRun = true;
  SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
  EXPECT_EQ(autorun.value, kExe);
  state.AutoRun = false;
  SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
  EXPECT_FALSE(autorun.present);
  SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);  // nothing to delete
  EXPECT_FALSE(autorun.present);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(file.bytes, "[Main]\r\nCurrentStyle=Default\r\n");
}

TEST(MainSettings, RegistryFailuresAreReportedAndTheFileStillWritten) {
  FakeAutorun autorun;
  autorun.status = AutorunStore::Status::CantOpen;
  MemoryFile file("[Main]\r\nCurrentStyle=OfficeXP\r\n");
  TIniFile ini(file);
  RecordingMessages messages;
  ProgramState state;
  state.AutoRun = true;  // kept when the key cannot be opened
  LoadMainSettings(state, ini.Load(), MachineKeyOnly(autorun), kExe, messages);
  EXPECT_TRUE(state.AutoRun);
  EXPECT_EQ(state.CurrentStyle, "OfficeXP");
  state.CurrentStyle = "Default";
  SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
  EXPECT_EQ(messages.shown,
            (std::vector<std::string>{"Can't read from registry!", "Can't write to registry!"}));
  EXPECT_EQ(file.bytes, "[Main]\r\nCurrentStyle=Default\r\n");
}

TEST(MainSettings, AValueThatIsNotTextIsReportedAndTheStyleStillRead) {
  FakeAutorun autorun;
  autorun.status = AutorunStore::Status::Failed;
  RecordingMessages messages;
  ProgramState state;
  LoadMainSettings(state, IniDocument::Parse("[Main]\r\nCurrentStyle=OfficeXP\r\n"), MachineKeyOnly(autorun), kExe,
                   messages);
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Invalid data type for 'Sticker'"}));
  EXPECT_FALSE(state.AutoRun);
  EXPECT_EQ(state.CurrentStyle, "OfficeXP");
}

TEST(MainSettings, AFailedRegistryWriteStopsTheSave) {
  FakeAutorun autorun;
  autorun.writeStatus = AutorunStore::Status::Failed;
  MemoryFile file;
  TIniFile ini(file);
  RecordingMessages messages;
  ProgramState state;
  state.AutoRun = true;
  try {
    SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to set data for 'Sticker'");
  }
  EXPECT_FALSE(file.exists);
}

// A standard user may read the machine's Run key but not write it; the entry
// then goes to the user's own Run key, and unticking removes ours from both.
TEST(MainSettings, AutorunFallsBackToTheUsersRunKey) {
  using S = AutorunStore::Status;
  const char* other = "C:\\Other\\Program.exe";
  struct Key {
    const char* value = nullptr;  // none
    S read = S::Ok;
    S write = S::Ok;
  };
  struct Case {
    const char* name;
    Key machine, user;
    std::optional<bool> save;  // nullopt: start-up only
    bool autoRun;               // as loaded
    const char *machineAfter, *userAfter;
    std::vector<std::string> shown;
  } cases[] = {
      {"standard user ticks", {{}, S::Ok, S::CantOpen}, {}, true, false, nullptr, kExe, {}},
      {"standard user's entry is read", {{}, S::Ok, S::CantOpen}, {kExe}, std::nullopt, true, nullptr, kExe, {}},
      {"standard user unticks", {{}, S::Ok, S::CantOpen}, {kExe}, false, true, nullptr, nullptr, {}},
      {"an administrator's entry stays", {{kExe}, S::Ok, S::CantOpen}, {}, false, true, kExe, {},
       {"Can't write to registry!"}},
      {"another program's entry is not ours", {{other}, S::Ok, S::CantOpen}, {}, false, false, other, {}, {}},
      {"no second entry once the machine's is written", {{}, S::Ok, S::Ok}, {kExe}, true, true, kExe, {}, {}},
      {"unticking clears both", {{kExe}, S::Ok, S::Ok}, {kExe}, false, true, nullptr, nullptr, {}},
      {"another program's user entry is kept", {{}, S::Ok, S::Ok}, {other}, false, false, {}, other, {}},
      {"machine key unreadable, user entry found", {{}, S::CantOpen, S::CantOpen}, {kExe}, std::nullopt, true, {},
       kExe, {}},
      {"neither key readable", {{}, S::CantOpen, S::CantOpen}, {{}, S::CantOpen, S::CantOpen}, std::nullopt, false,
       {}, {}, {"Can't read from registry!"}},
      {"neither key writable", {{}, S::Ok, S::CantOpen}, {{}, S::Ok, S::CantOpen}, true, false, {}, {},
       {"Can't write to registry!"}},
      {"another program's entry stays in a machine key we may write", {{other}, S::Ok, S::Ok}, {}, false, false, other,
       {}, {}},
      {"a value that is not text goes", {{"1"}, S::Failed, S::Ok}, {}, false, false, nullptr, {},
       {"Invalid data type for 'Sticker'"}},
      {"unticked while the machine's key cannot be opened", {{}, S::CantOpen, S::CantOpen}, {}, false, false, {}, {},
       {"Can't write to registry!"}},
  };
  for (const Case& c : cases) {
    auto make = [](const Key& k) {
      FakeAutorun store;
      store.present = k.value != nullptr;
      store.value = k.value ? k.value : "";
      store.status = k.read;
      store.writeStatus = k.write;
      return store;
    };
    FakeAutorun machine = make(c.machine), user = make(c.user);
    MemoryFile file;
    TIniFile ini(file);
    RecordingMessages messages;
    ProgramState state;
    LoadMainSettings(state, IniDocument(), {machine, user}, kExe, messages);
    EXPECT_EQ(state.AutoRun, c.autoRun) << c.name;
    if (c.save) {
      state.AutoRun = *c.save;
      SaveMainSettings(state, ini, {machine, user}, kExe, messages);
    }
    auto value = [](const FakeAutorun& k) { return k.present ? k.value : std::string("(none)"); };
    auto expected = [](const char* v) { return std::string(v ? v : "(none)"); };
    EXPECT_EQ(value(machine), expected(c.save ? c.machineAfter : c.machine.value)) << c.name;
    EXPECT_EQ(value(user), expected(c.save ? c.userAfter : c.user.value)) << c.name;
    EXPECT_EQ(messages.shown, c.shown) << c.name;
  }
}

// The system-wide keys in [Main]: a missing or unreadable value is the
// default; a key at its default is written only over a value already there.
TEST(MainSettings, HotkeysLoadAndSave) {
  const std::string start = "[Main]\r\nCurrentStyle=Default\r\n";
  struct Case {
    std::string lines;  // of [Main] after CurrentStyle
    std::string newNote, showHide;
    std::string saved;  // [Main] after CurrentStyle once saved
  } cases[] = {
      {"", "Win+Shift+N", "Win+Shift+H", ""},
      {"HotkeyNewNote=Ctrl+Alt+F9\r\n", "Ctrl+Alt+F9", "Win+Shift+H", "HotkeyNewNote=Ctrl+Alt+F9\r\n"},
      {"HotkeyShowHide=None\r\n", "Win+Shift+N", "None", "HotkeyShowHide=None\r\n"},
      // The key as typed by hand; an empty value refused: the default, written over it.
      {"hotkeynewnote = shift+win+n\r\nHotkeyShowHide=\r\n", "Win+Shift+N", "Win+Shift+H",
       "hotkeynewnote=Win+Shift+N\r\nHotkeyShowHide=Win+Shift+H\r\n"},
  };
  for (const Case& c : cases) {
    MemoryFile file(start + c.lines);
    TIniFile ini(file);
    FakeAutorun autorun;
    RecordingMessages messages;
    ProgramState state;
    LoadMainSettings(state, ini.Load(), MachineKeyOnly(autorun), kExe, messages);
    EXPECT_EQ(HotkeyToText(state.NewNoteHotkey) + " " + HotkeyToText(state.ShowHideHotkey),
              c.newNote + " " + c.showHide);
    SaveMainSettings(state, ini, MachineKeyOnly(autorun), kExe, messages);
    EXPECT_EQ(file.bytes, start + c.saved) << c.lines;
  }
  // Changed in the options window and switched off: written where no line was.
  MemoryFile file(start);
  TIniFile ini(file);
  ProgramState state;
  state.NewNoteHotkey = {0x7B, kModControl | kModAlt};
  state.ShowHideHotkey = {};
  ini.Update([&](IniDocument& doc) { WriteMainSettings(state, doc); });
  EXPECT_EQ(file.bytes, start + "HotkeyNewNote=Ctrl+Alt+F12\r\nHotkeyShowHide=None\r\n");
}
