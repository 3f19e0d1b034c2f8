// Takes the screenshots of the help file and the README from the real program
// on the test desktop, driven as a user would, with the sample notes:
//   WispletShots SAMPLE.ini
// The pictures are written as BMP files named shot-*.bmp in the test output
// folder; scripts/screenshots.sh turns them into the PNG files in docs/.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "harness.h"

using namespace e2e;

namespace {

RECT Union(RECT a, RECT b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// The area around some windows, with a margin, kept on the screen.
RECT Around(RECT r, int margin = 10) {
  return RECT{std::max(0L, r.left - margin), std::max(0L, r.top - margin),
              std::min<LONG>(GetSystemMetrics(SM_CXSCREEN), r.right + margin),
              std::min<LONG>(GetSystemMetrics(SM_CYSCREEN), r.bottom + margin)};
}

void Shot(const char* name, const RECT& area) {
  SaveScreenshot(std::string("shot-") + name, &area);
  std::printf("shot-%s\n", name);
}

HWND Need(HWND window, const char* what) {
  if (!window) throw std::runtime_error(std::string("no ") + what);
  return window;
}

HWND WaitVisible(const AppProcess& app, const char* className) {
  HWND found = nullptr;
  WaitUntil([&] {
    auto shown = VisibleWindowsOfClass(app, className);
    return !shown.empty() && (found = shown.front()) != nullptr;
  }, 5000);
  return Need(found, className);
}

// Lets the windows paint and the pointer's tooltip go before a picture.
void Settle() {
  MouseMove(1000, 300);
  Sleep(700);
}

void TakeShots(const std::string& sampleIni) {
  TestFolder folder;
  WriteFileBytes(folder.Ini(), *ReadFileBytes(sampleIni));
  AppProcess app(folder.Exe());
  if (!app.WaitUp()) throw std::runtime_error("Wisplet did not come up");
  auto note = [&](int left, int top) { return Need(NoteWindowAt(app, left, top), "sample note"); };
  HWND welcome = note(16, 16), menuNote = note(16, 190), tray = note(524, 16), rolled = note(524, 172);

  RECT notes{};
  for (HWND h : NoteWindows(app))
    if (IsWindowVisible(h)) notes = notes.right ? Union(notes, WindowBounds(h)) : WindowBounds(h);
  Settle();
  Shot("notes", Around(notes));
  Shot("rolled", Around(Union(WindowBounds(tray), WindowBounds(rolled))));

  RECT r = WindowBounds(menuNote);
  Click(r.left + 60, r.top + 40, MouseButton::Right);
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = ShownMenu(app)) != nullptr; }, 3000);
  Need(menu, "note menu");
  Sleep(500);
  Shot("note-menu", Around(Union(r, WindowBounds(menu))));
  CloseMenus(app);

  Need(OpenTrayMenu(app), "tray menu");
  for (int i = 0; i < 5; ++i) PressChord({VK_DOWN});
  PressChord({VK_RIGHT});  // into "Notes List"
  WaitUntil([&] { return VisibleWindowsOfClass(app, "#32768").size() == 2; }, 3000);
  MouseMove(600, 500);  // away from the icon, whose tooltip would cover the menu
  Sleep(700);
  RECT menus = WindowBounds(Need(ShownMenu(app), "tray menu"));
  for (HWND h : VisibleWindowsOfClass(app, "#32768")) menus = Union(menus, WindowBounds(h));
  POINT icon = TrayIconPoint();
  Shot("tray-menu", Around(Union(menus, RECT{icon.x - 8, icon.y - 8, icon.x + 8, icon.y + 8})));
  CloseMenus(app);

  // The editor, opened on the welcome note with Ctrl+E.
  RECT w = WindowBounds(welcome);
  Click(w.left + 100, w.top + 6);
  PressChordUntil({VK_CONTROL, 'E'}, [&] { return !VisibleWindowsOfClass(app, "TFormSticker").empty(); });
  HWND editor = WaitVisible(app, "TFormSticker");
  Settle();
  Shot("editor", Around(WindowBounds(editor), 0));
  Shot("desktop", RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  PostMessageA(editor, WM_CLOSE, 0, 0);
  WaitUntil([&] { return !IsWindowVisible(editor); }, 3000);

  // The options window: its scheme page first, then the system page.
  Need(OpenTrayMenu(app), "tray menu");
  ChooseTrayMenuItem(2);  // New, Options
  HWND options = WaitVisible(app, "TFormOptions");
  Settle();
  Shot("options-schemes", Around(WindowBounds(options), 0));
  ClickControl(Need(ChildWithText(options, "System"), "System page button"));
  Settle();
  Shot("options-system", Around(WindowBounds(options), 0));
  PostMessageA(options, WM_CLOSE, 0, 0);
  WaitUntil([&] { return !IsWindowVisible(options); }, 3000);

  if (!app.Exit()) throw std::runtime_error("Wisplet did not exit");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: WispletShots SAMPLE.ini\n");
    return 2;
  }
  try {
    TakeShots(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "WispletShots: %s\n", e.what());
    return 1;
  }
  return 0;
}
