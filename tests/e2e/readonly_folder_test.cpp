// A folder that refuses new files, as C:\Program Files does to a standard
// user: a read-only mount that readonly-folder.sh prepares. The notes go to
// the user's profile instead, unless a settings file lies beside the program
// already; the installer does not offer such a folder.
#include <gtest/gtest.h>

#include "harness.h"  // windows.h first
#include <shlobj.h>

#include <cstdlib>

#include "resources/version.h"

using namespace e2e;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wisplet";

std::string ProfileFolder() { return KnownFolder(CSIDL_APPDATA) + "\\Wisplet"; }

class ReadOnlyFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("WISPLET_READONLY_FOLDER");
    if (!folder) GTEST_SKIP() << "no read-only folder: run the suite through readonly-folder.sh as root";
    folder_ = folder;
    RemoveTree(ProfileFolder());
  }
  // A file left in the profile would be taken by every later test's program.
  void TearDown() override { RemoveTree(ProfileFolder()); }

  std::string folder_;
};

// A shown top-level dialog of the process other than `except`.
HWND DialogOf(const AppProcess& process, HWND except = nullptr) {
  for (const auto& w : process.Windows())
    if (w.className == "#32770" && w.hwnd != except && IsWindowVisible(w.hwnd)) return w.hwnd;
  return nullptr;
}

}  // namespace

TEST_F(ReadOnlyFolder, TheNotesGoToTheProfileUnlessAFileLiesBesideTheProgram) {
  const std::string profileIni = ProfileFolder() + "\\Wisplet.ini";
  {
    AppProcess app(folder_ + "\\Wisplet.exe");
    ASSERT_TRUE(app.WaitUp());
    ASSERT_TRUE(app.Exit()) << "\"Exit\" could not save";
  }
  EXPECT_EQ(ReadFileBytes(profileIni),
            std::optional<std::string>("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
  EXPECT_FALSE(FileExists(folder_ + "\\Wisplet.ini"));

  // The next start reads its notes from there.
  WriteFileBytes(profileIni, NotesIni({"Title=In the profile\r\nActive=1\r\nTop=100\r\nLeft=300\r\n"}));
  {
    AppProcess app(folder_ + "\\Wisplet.exe");
    ASSERT_TRUE(app.WaitUp());
    EXPECT_NE(NoteWindowAt(app, 300, 100), nullptr);
    ASSERT_TRUE(app.Exit());
  }

  // A settings file beside the program is used where it lies, as every
  // existing install keeps it; here it cannot be written, and "Exit" says so.
  AppProcess kept(folder_ + "\\kept\\Wisplet.exe");
  ASSERT_TRUE(kept.WaitUp());
  EXPECT_NE(NoteWindowAt(kept, 400, 120), nullptr);
  EXPECT_EQ(NoteWindowAt(kept, 300, 100), nullptr);
  kept.RequestExit();
  auto box = WaitForMessageBox(kept);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Unable to write to " + folder_ + "\\kept\\Wisplet.ini");
  PressMessageBoxButton(*box, IDOK);
  EXPECT_TRUE(kept.Running());
}

// The directory page: a folder that refuses new files is refused with a
// message and the page stays; a folder of the user's own is taken.
TEST_F(ReadOnlyFolder, TheInstallerDoesNotOfferAFolderThatRefusesNewFiles) {
  const std::string setupExe = BinFolder() + "\\..\\release\\Wisplet-" WISPLET_FILE_VERSION_TEXT "-setup.exe";
  ASSERT_TRUE(FileExists(setupExe)) << setupExe;
  TestFolder writable;
  const std::string chosen = writable.Path() + "\\Programs\\Wisplet";
  AppProcess setup(setupExe);
  HWND wizard = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (wizard = DialogOf(setup)) != nullptr; }, 15000));
  auto next = [&] { PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); };
  HWND path = nullptr;
  for (int page = 0; page < 3 && !path; ++page) {  // Welcome, License, then the folder
    next();
    WaitUntil([&] { return (path = FindWindowExA(FindWindowExA(wizard, nullptr, "#32770", nullptr), nullptr, "Edit",
                                                 nullptr)) != nullptr && IsWindowVisible(path); }, 3000);
  }
  ASSERT_NE(path, nullptr) << "no directory page";

  SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((folder_ + "\\Wisplet").c_str()));
  next();
  HWND refusal = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (refusal = DialogOf(setup, wizard)) != nullptr; }, 5000)) << "not refused";
  EXPECT_NE(ChildWithText(refusal, "You cannot save files in " + folder_ + "\\Wisplet. Wisplet keeps your notes "
                                    "beside the program, so choose a folder of your own, such as " +
                                    KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Wisplet."), nullptr);
  PostMessageA(refusal, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal); }, 3000));
  EXPECT_TRUE(IsWindowVisible(path)) << "the page did not stay";

  SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
  next();
  EXPECT_TRUE(WaitUntil([&] { return FileExists(chosen + "\\Uninstall.exe"); }, 20000)) << "not installed there";
  EXPECT_EQ(DialogOf(setup, wizard), nullptr);
  setup.Kill();

  // Its uninstaller takes the user's log-on start entry naming the program
  // (paths compare without regard to case) and leaves another program's.
  std::string upper = chosen + "\\Wisplet.exe";
  CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  WriteAutorunValue(upper, HKEY_CURRENT_USER);
  WriteAutorunValue("C:\\Other\\Program.exe");
  ASSERT_EQ(RunAndWait("\"" + chosen + "\\Uninstall.exe\" /S"), std::optional<DWORD>(0));
  // It goes on in a copy of itself; removing the emptied folder is its last step.
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(chosen); }, 30000));
  EXPECT_EQ(ReadAutorunValue(HKEY_CURRENT_USER), std::nullopt);
  EXPECT_EQ(ReadAutorunValue(), std::optional<std::string>("C:\\Other\\Program.exe"));
  DeleteAutorunValue();
  RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
}
