// One Wisplet per logon and executable title: a second start ends at once.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {
const char kIni[] = "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n";
}

TEST(SingleInstance, SecondStartExitsAtOnceWithCodeZeroAndChangesNothing) {
  TestFolder folder;
  folder.WriteIni(kIni);
  AppProcess first(folder.Exe());
  ASSERT_TRUE(first.WaitUp());
  size_t windowsBefore = first.Windows().size();

  AppProcess second(folder.Exe());
  auto code = second.WaitExit(10000);
  ASSERT_TRUE(code.has_value()) << "the second instance kept running";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(second.Windows().empty());
  EXPECT_EQ(folder.ReadIni(), std::string(kIni));
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.Windows().size(), windowsBefore);
  EXPECT_TRUE(first.Exit());
}

TEST(SingleInstance, StartAfterTheFirstWasKilledSucceeds) {
  TestFolder folder;
  AppProcess first(folder.Exe());
  ASSERT_TRUE(first.WaitUp());
  first.Kill();  // dies holding the guard: the mutex is abandoned
  AppProcess next(folder.Exe());
  EXPECT_TRUE(next.WaitUp());
  EXPECT_TRUE(next.Running());
  EXPECT_TRUE(next.Exit());
}

TEST(SingleInstance, TheTitleOfTheExecutableDecides) {
  struct Case {
    const char* otherName;
    bool blocked;
  } cases[] = {
      {"Notes.exe", false},         // another title
      {"Wisplet.exe", true},        // the same name in another folder
      {"WISPLET.EXE", true},        // the title lower-cases all but the first letter
      {"Wisplet.old.exe", true},    // cut at the first dot
      {"wisplet.exe", false},       // the first letter keeps its case
  };
  for (const auto& c : cases) {
    TestFolder first("Wisplet.exe"), second(c.otherName);
    AppProcess a(first.Exe());
    ASSERT_TRUE(a.WaitUp());
    AppProcess b(second.Exe());
    if (c.blocked) {
      auto code = b.WaitExit(10000);
      EXPECT_TRUE(code.has_value() && *code == 0) << c.otherName;
      EXPECT_FALSE(FileExists(second.Ini()));
    } else {
      EXPECT_TRUE(b.WaitUp()) << c.otherName;
      EXPECT_TRUE(b.Exit()) << c.otherName;
    }
    EXPECT_TRUE(a.Exit());
  }
}
