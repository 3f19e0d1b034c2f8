// The release's installer and uninstaller, run as a user without questions
// (/S): per-user install, the installed program, and an uninstall that keeps
// the notes.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "harness.h"
#include "resources/version.h"

using namespace e2e;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wisplet";

std::optional<std::string> UninstallValue(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

}  // namespace

TEST(Installer, InstallsPerUserAndTheUninstallerKeepsTheNotes) {
  const std::string setup =
      BinFolder() + "\\..\\release\\Wisplet-" WISPLET_FILE_VERSION_TEXT "-setup.exe";
  ASSERT_TRUE(FileExists(setup)) << setup;
  const std::string folder = KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Wisplet";
  const std::string shortcut = KnownFolder(CSIDL_PROGRAMS) + "\\Wisplet.lnk";
  const std::string exe = folder + "\\Wisplet.exe", ini = folder + "\\Wisplet.ini";
  RemoveTree(folder);  // left over from an earlier run
  RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);

  ASSERT_EQ(RunAndWait("\"" + setup + "\" /S"), std::optional<DWORD>(0));
  for (const char* file : {"Wisplet.exe", "Wisplet.chm", "README.txt", "LICENSE.txt", "Uninstall.exe"})
    EXPECT_TRUE(FileExists(folder + "\\" + file)) << file;
  EXPECT_TRUE(FileExists(shortcut));
  EXPECT_EQ(UninstallValue("DisplayVersion"), std::optional<std::string>(WISPLET_FILE_VERSION_TEXT));
  EXPECT_EQ(UninstallValue("UninstallString"), std::optional<std::string>("\"" + folder + "\\Uninstall.exe\""));

  {
    // The installed program starts, and its exit writes its settings file
    // beside it: the folder is the user's to write.
    AppProcess app(exe);
    ASSERT_TRUE(app.WaitUp());
    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(ReadFileBytes(ini), std::optional<std::string>(
                                      "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
  }

  // Uninstalled while it runs with a note: it is asked to exit (which saves
  // the note), then everything but the settings file goes. A log-on start
  // entry naming the installed program goes too (quoted, it is not one the
  // program itself recognizes and removes); another program's stays.
  WriteFileBytes(ini, NotesIni({"Title=Kept\r\nActive=1\r\nTop=100\r\nLeft=100\r\n"}));
  WriteAutorunValue("\"" + exe + "\"");
  WriteAutorunValue("C:\\Other\\Program.exe", HKEY_CURRENT_USER);
  AppProcess app(exe);
  ASSERT_TRUE(app.WaitUp());
  ASSERT_EQ(RunAndWait("\"" + folder + "\\Uninstall.exe\" /S"), std::optional<DWORD>(0));
  // The uninstaller goes on in a copy of itself; wait for its last steps.
  WaitUntil([&] {
    return !FileExists(folder + "\\Uninstall.exe") && !FileExists(shortcut) && !UninstallValue("DisplayName");
  }, 30000);
  EXPECT_TRUE(app.WaitExit(10000).has_value());
  for (const char* file : {"Wisplet.exe", "Wisplet.chm", "README.txt", "LICENSE.txt", "Uninstall.exe"})
    EXPECT_FALSE(FileExists(folder + "\\" + file)) << file;
  EXPECT_FALSE(FileExists(shortcut));
  EXPECT_FALSE(UninstallValue("DisplayName").has_value());
  EXPECT_TRUE(WaitUntil([] { return !ReadAutorunValue(); }, 10000));
  EXPECT_EQ(ReadAutorunValue(HKEY_CURRENT_USER), std::optional<std::string>("C:\\Other\\Program.exe"));
  DeleteAutorunValue(HKEY_CURRENT_USER);
  std::optional<std::string> kept = ReadFileBytes(ini);
  ASSERT_TRUE(kept.has_value());
  EXPECT_NE(kept->find("[Sticker0]\r\nTitle=Kept\r\n"), std::string::npos);
  RemoveTree(folder);
}
