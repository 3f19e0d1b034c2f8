// The log-on start entry: value "Sticker" of the machine's Run key, checked
// with the system's own "reg" tool.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

std::string RegQuery() {
  return RunAndCapture("reg.exe query \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Sticker");
}

class Autorun : public ::testing::Test {
 protected:
  void SetUp() override { DeleteAutorunValue(); }
  void TearDown() override { DeleteAutorunValue(); }
};

}  // namespace

// Another program's entry under the same name is not ours to remove.
TEST_F(Autorun, AnotherProgramsPathReadsOffAndStaysAtExit) {
  WriteAutorunValue("C:\\Other\\Program.exe");
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(ReadAutorunValue(), std::optional<std::string>("C:\\Other\\Program.exe"));
  EXPECT_NE(RegQuery().find("Program.exe"), std::string::npos) << RegQuery();
}

TEST_F(Autorun, OwnPathReadsOnAndIsWrittenAgainAtExit) {
  TestFolder folder;
  // Stored as an expandable string: still text, so it reads as on, and the
  // save writes it anew as a plain string.
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr,
                  0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  std::string exe = folder.Exe();
  RegSetValueExA(key, "Sticker", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(exe.c_str()),
                 static_cast<DWORD>(exe.size() + 1));
  RegCloseKey(key);

  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(ReadAutorunValue(), exe);
  std::string query = RegQuery();
  EXPECT_NE(query.find("REG_SZ"), std::string::npos) << query;
  EXPECT_NE(query.find(exe), std::string::npos) << query;
}

TEST_F(Autorun, AMissingValueStaysMissing) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(ReadAutorunValue(), std::nullopt);
}

TEST_F(Autorun, AValueThatIsNotTextIsReportedAndStartUpGoesOn) {
  WriteAutorunDword(1);
  TestFolder folder;
  folder.WriteIni("[Main]\r\nCurrentStyle=OfficeXP\r\n");
  AppProcess app(folder.Exe());
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Wisplet");
  EXPECT_EQ(box->text, "Invalid data type for 'Sticker'");
  PressMessageBoxButton(*box, IDOK);
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  // Off, so the value is removed; the menu style was still read and kept.
  EXPECT_EQ(RegQuery().find("REG_DWORD"), std::string::npos);
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=OfficeXP\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
}
