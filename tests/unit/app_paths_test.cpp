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
