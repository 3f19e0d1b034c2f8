// The About window and the help file, opened from the tray menu as a user
// would.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "harness.h"
#include "resources/version.h"

using namespace e2e;

namespace {

constexpr int kAboutItem = 4, kHelpItem = 3;  // places below "New" in the tray menu

// Makes a program file's version resource unfindable, as in a build without
// one: its type in the resource directory becomes 17, which nothing asks for
// (Wine's UpdateResource does not delete resources).
void RemoveVersionResource(const std::string& exe) {
  std::string bytes = *ReadFileBytes(exe);
  auto at = [&](std::size_t offset) { return bytes.data() + offset; };
  auto nt = reinterpret_cast<IMAGE_NT_HEADERS64*>(at(reinterpret_cast<IMAGE_DOS_HEADER*>(at(0))->e_lfanew));
  DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (rva < section->VirtualAddress || rva >= section->VirtualAddress + section->Misc.VirtualSize) continue;
    auto root = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY*>(at(rva - section->VirtualAddress + section->PointerToRawData));
    auto entry = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(root + 1);
    for (int e = 0; e < root->NumberOfNamedEntries + root->NumberOfIdEntries; ++e, ++entry)
      if (entry->Name == 16) entry->Name = 17;
  }
  WriteFileBytes(exe, bytes);
  DWORD handle = 0;
  ASSERT_EQ(GetFileVersionInfoSizeA(exe.c_str(), &handle), 0u);
}

// A control of the window: its class, text, place in the client area and
// whether it shows.
using Control = std::tuple<std::string, std::string, int, int, bool>;

std::vector<Control> ControlsOf(HWND window) {
  std::vector<Control> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    std::string name = cls;
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(toupper(c)); });
    RECT r = WindowBounds(child);
    POINT at{r.left, r.top};
    ScreenToClient(window, &at);
    controls.emplace_back(name, WindowTextOf(child), at.x, at.y, IsWindowVisible(child) != FALSE);
  }
  std::sort(controls.begin(), controls.end());
  return controls;
}

HWND OpenAbout(const AppProcess& app) {
  if (!OpenTrayMenu(app)) return nullptr;
  ChooseTrayMenuItem(kAboutItem);
  HWND about = nullptr;
  WaitUntil([&] {
    auto shown = VisibleWindowsOfClass(app, "TFormAbout");
    return !shown.empty() && (about = shown.front()) != nullptr;
  }, 5000);
  return about;
}

std::set<DWORD> HelpViewers() {
  auto pids = ProcessesNamed("hh.exe");
  return {pids.begin(), pids.end()};
}

}  // namespace

TEST(About, ShowsNameVersionAndCopyrightFromTheResourceAndClosesWithOK) {
  struct Case {
    const char* what;
    bool withoutResource;
    std::string name, version, product, productVersion, copyright;
  } cases[] = {
      {"this build", false, WISPLET_INTERNAL_NAME, "ver." WISPLET_FILE_VERSION_TEXT " ", WISPLET_PRODUCT_NAME,
       "ver." WISPLET_PRODUCT_VERSION_TEXT, WISPLET_COPYRIGHT " " WISPLET_COMPANY_NAME},
      {"a file without a version resource", true, "", "ver. ", "", "ver.", " "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    if (c.withoutResource) ASSERT_NO_FATAL_FAILURE(RemoveVersionResource(folder.Exe()));
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    const std::vector<Control> expected = {
        {"BUTTON", "&OK", 236, 202, true},
        {"STATIC", c.copyright, 104, 84, true},
        {"STATIC", c.name, 104, 12, true},
        {"STATIC", c.product, 104, 48, false},
        {"STATIC", c.productVersion, 104, 65, false},
        {"STATIC", c.version, 104, 30, true},
        {"STATIC", "Contact us at e-mail: " WISPLET_SUPPORT_ADDRESS, 102, 102, true},
    };
    // Shown twice: every showing reads the resource again and shows the same.
    for (int showing = 1; showing <= 2; ++showing) {
      SCOPED_TRACE(showing);
      HWND about = OpenAbout(app);
      ASSERT_NE(about, nullptr);
      EXPECT_EQ(WindowTextOf(about), "About");
      RECT client{};
      GetClientRect(about, &client);
      EXPECT_EQ(client.right, 346);
      EXPECT_EQ(client.bottom, 232);
      LONG style = GetWindowLongA(about, GWL_STYLE);
      EXPECT_TRUE(style & WS_CAPTION);
      EXPECT_FALSE(style & WS_THICKFRAME);  // a fixed dialog frame
      RECT outer = WindowBounds(about);
      EXPECT_LE(std::abs((outer.left + outer.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
      EXPECT_LE(std::abs((outer.top + outer.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
      std::vector<Control> sortedExpected = expected;
      std::sort(sortedExpected.begin(), sortedExpected.end());
      EXPECT_EQ(ControlsOf(about), sortedExpected);
      HWND ok = FindWindowExA(about, nullptr, "Button", nullptr);
      EXPECT_TRUE(WaitUntil([&] { return FocusedWindowOf(about) == ok; }, 3000));
      if (showing == 1 && !c.withoutResource) {
        // Choosing "About" while it is open keeps the one window where it is.
        ASSERT_EQ(OpenAbout(app), about);
        EXPECT_EQ(VisibleWindowsOfClass(app, "TFormAbout").size(), 1u);
        SaveScreenshot("about");
      }
      RECT button = WindowBounds(ok);
      Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
      EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 3000));
      EXPECT_TRUE(app.Running());
    }
    EXPECT_TRUE(app.Exit());
  }
}

TEST(Help, OpensTheHelpFileInItsViewerAndStaysSilentWithoutIt) {
  for (bool present : {true, false}) {
    SCOPED_TRACE(present ? "with Wisplet.chm" : "without Wisplet.chm");
    TestFolder folder;
    const std::string chm = folder.Path() + "\\Wisplet.chm";
    if (present) ASSERT_TRUE(CopyFileA((BinFolder() + "\\Wisplet.chm").c_str(), chm.c_str(), FALSE));
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    const std::set<DWORD> before = HelpViewers();
    ASSERT_NE(OpenTrayMenu(app), nullptr);
    ChooseTrayMenuItem(kHelpItem);
    DWORD viewer = 0;
    bool started = WaitUntil([&] {
      for (DWORD pid : HelpViewers()) {
        if (before.count(pid)) continue;
        std::optional<std::string> line = ProcessCommandLine(pid);
        if (line && line->find(chm) != std::string::npos) viewer = pid;
      }
      return viewer != 0;
    }, present ? 15000 : 3000);
    EXPECT_EQ(started, present);
    if (viewer) TerminateProcessById(viewer);
    EXPECT_FALSE(WaitForMessageBox(app, 500).has_value());
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(app.Exit());
  }
}
