#include "app/app_paths.h"

#include <gtest/gtest.h>

using namespace wisplet;

TEST(ApplicationTitle, CutAtFirstDotAndLowerCasedAfterTheFirst) {
  struct Case {
    const char* path;
    const char* title;
  } cases[] = {
      {"C:\\Tools\\Wisplet.exe", "Wisplet"},     {"C:\\Tools\\WISPLET.EXE", "Wisplet"},
      {"C:\\a.b\\my.NOTES.exe", "my"},           {"C:\\x\\wisplet.exe", "wisplet"},
      {"C:\\x\\NoExtension", "Noextension"},     {"C:\\x\\.hidden.exe", ""},
      {"W.exe", "W"},                            {"C:/unix/style/AbC.exe", "Abc"},
      // UTF-8: the first character is all of its bytes ("\xC3\x89" is one).
      {"C:\\\xC5\x81ukasz\\\xC3\x89TE.exe", "\xC3\x89te"}, {"C:\\x\\\xC3\x89.exe", "\xC3\x89"},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplicationTitle(c.path), c.title) << c.path;
}

TEST(ApplicationTitle, UsesTheGivenLowerCase) {
  auto upper = [](std::string s) { return "<" + s + ">"; };
  EXPECT_EQ(ApplicationTitle("C:\\x\\Abc.exe", upper), "A<bc>");
}

TEST(ChangeFileExt, ReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(ChangeFileExt("C:\\a\\Wisplet.exe", ".ini"), "C:\\a\\Wisplet.ini");
  EXPECT_EQ(ChangeFileExt("C:\\a.dir\\Wisplet", ".chm"), "C:\\a.dir\\Wisplet.chm");
  EXPECT_EQ(ChangeFileExt("C:\\a\\my.notes.exe", ".ini"), "C:\\a\\my.notes.ini");
}

TEST(MutexNames, FollowTheTitle) {
  EXPECT_EQ(CheckMutexName("Wisplet"), "Wisplet.OneInstance32.CriticalSection");
  EXPECT_EQ(InstanceMutexName("Wisplet"), "WispletOneInstance32.Default");
}

// Beside the program whenever the file is there or can be made there; in the
// profile when the folder refuses new files, or when a run put it there.
TEST(SettingsFilePath, BesideTheProgramOrInTheProfile) {
  const char* exe = "C:\\Program Files\\Wisplet\\Notes.exe";
  const std::string beside = "C:\\Program Files\\Wisplet\\Notes.ini";
  const std::string profile = "C:\\Users\\Ann\\AppData\\Roaming\\Wisplet\\Notes.ini";
  struct Case {
    const char* what;
    const char* appData;
    bool existsBeside, existsInAppData, creatable;
    std::string path;
    bool probed;  // whether the folder was asked to take a new file
  } cases[] = {
      {"a file beside it", "C:\\Users\\Ann\\AppData\\Roaming", true, true, false, beside, false},
      {"first start, the folder takes files", "C:\\Users\\Ann\\AppData\\Roaming", false, false, true, beside, true},
      {"first start, the folder refuses them", "C:\\Users\\Ann\\AppData\\Roaming", false, false, false, profile, true},
      {"put in the profile before", "C:\\Users\\Ann\\AppData\\Roaming\\", false, true, true, profile, false},
      {"no profile folder known", "", false, false, false, beside, false},
  };
  for (const auto& c : cases) {
    bool probed = false;
    auto creatable = [&] {
      probed = true;
      return c.creatable;
    };
    EXPECT_EQ(SettingsFilePath(exe, c.appData, c.existsBeside, c.existsInAppData, creatable), c.path) << c.what;
    EXPECT_EQ(probed, c.probed) << c.what;
  }
}
