// Long use of the program: 255 notes, 1,000 cycles of hiding, showing,
// rolling up and down, on top and back, translucent and opaque (cycle c acts
// on note c mod 255, and every 100th cycle hides and shows all notes), and 100
// round trips through the note editor, each completed with "Complete Edit",
// which saves every note. The program's forms and notes run inside this
// process, built as Wisplet.exe builds them, so that what the process holds
// can be counted at the start, along the way and at the end: kernel handles,
// windows, GDI and USER objects and private memory.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/app.h"
#include "app/main_form.h"
#include "base/message_loop.h"
#include "dialogs/form_sticker.h"

using namespace wisplet;

namespace {

constexpr int kNotes = 255;
const int kCycles = std::getenv("WISPLET_SOAK_CYCLES") ? std::atoi(std::getenv("WISPLET_SOAK_CYCLES")) : 1000;
constexpr int kEditorRoundTrips = 100;

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

std::string NotesFile() {
  std::string text = "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=" + std::to_string(kNotes) + "\r\n";
  for (int i = 0; i < kNotes; ++i)
    text += "[Sticker" + std::to_string(i) + "]\r\nTitle=Note " + std::to_string(i) +
            "\r\nMemoLineCount=3\r\nMemoLine0=>Buy milk\r\nMemoLine1=>\r\nMemoLine2=>  and bread\r\nActive=1\r\n"
            "Top=" + std::to_string((i % 14) * 52) + "\r\nLeft=" + std::to_string((i / 14) % 5 * 200) +
            "\r\nAlphaBlendValue=30\r\nTitleColor=clWindow\r\nTitleGradColor=clSkyBlue\r\nTitleGradType=" +
            std::to_string(i % 8) + "\r\nMemoColor=clWhite\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=" +
            std::to_string((i + 3) % 8) + "\r\n";
  return text;
}

// Wine does not count GDI and USER objects (GetGuiResources answers 0), but
// it accepts a handle given by its table index alone; asking every index
// counts the objects of this process. (Windows needs no such count.)
int ProbedGdiObjects() {
  int count = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  return count;
}

int ProbedMenus() {
  int count = 0;
  for (ULONG_PTR handle = 0x20; handle < 0x10000; handle += 2)
    if (IsMenu(reinterpret_cast<HMENU>(handle))) ++count;
  return count;
}

// Wine answers GetProcessHandleCount with nothing; a valid kernel handle has
// information, so asking every handle value counts them.
int ProbedKernelHandles() {
  int count = 0;
  DWORD flags = 0;
  for (ULONG_PTR handle = 4; handle < 0x10000; handle += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags)) ++count;
  return count;
}

// Bytes in use in every heap of the process: what the program and the
// system's libraries loaded into it have allocated and not freed.
double HeapKilobytes() {
  HANDLE heaps[256];
  DWORD count = GetProcessHeaps(256, heaps);
  unsigned long long used = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    HeapUnlock(heaps[i]);
  }
  return used / 1024.0;
}

int CountWindows() {
  struct Ctx {
    DWORD pid;
    int count;
  } ctx{GetCurrentProcessId(), 0};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != c->pid) return TRUE;
        ++c->count;
        EnumChildWindows(
            hwnd, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; },
            reinterpret_cast<LPARAM>(&c->count));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.count;
}

// Anonymous resident memory of the Unix process Wine runs this in; -1 elsewhere.
long long WineAnonymousKb() {
  std::ifstream status("Z:\\proc\\self\\status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("RssAnon:", 0) == 0) return std::atoll(line.c_str() + 8);
  return -1;
}

void PrintFigures(const char* when) {
  DWORD handles = 0;
  if (!GetProcessHandleCount(GetCurrentProcess(), &handles)) handles = 0;
  DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("%-22s handles %4lu (probed %4d)  windows %4d  GDI %4lu (probed %4d)  USER %4lu (menus probed %4d)  "
              "private %5.1f MB  heaps %7.1f KB  working set %5.1f MB  anonymous RSS %5.1f MB\n",
              when, handles, ProbedKernelHandles(), CountWindows(), gdi, ProbedGdiObjects(), user, ProbedMenus(),
              memory.PrivateUsage / 1048576.0, HeapKilobytes(), memory.WorkingSetSize / 1048576.0,
              WineAnonymousKb() / 1024.0);
  std::fflush(stdout);
}

HWND ChildOfClass(HWND parent, const char* className, bool multiLine) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    bool isMultiLine = (GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE) != 0;
    if (_stricmp(name, className) == 0 && (_stricmp(className, "Edit") != 0 || isMultiLine == multiLine))
      return child;
  }
  return nullptr;
}

void Cycle(TStickerWindow& note) {
  auto paint = [&] {
    UpdateWindow(note.Handle());
    ProcessMessages();
  };
  note.SetActive(false);
  paint();
  note.SetActive(true);
  paint();
  note.SetMinState(true);
  paint();
  note.SetMinState(false);
  paint();
  note.SetOnTop(!note.OnTop);
  paint();
  note.SetOnTop(!note.OnTop);
  paint();
  note.SetTransparency(0);  // as when the note is clicked
  paint();
  note.SetTransparency(note.Scheme.AlphaBlendValue);  // and when another window is
  paint();
}

void EditorRoundTrip(Application& app, TStickerWindow& note, int n) {
  app.ShowEditNote(note);
  ProcessMessages();
  HWND editor = app.FormSticker->Handle();
  SetWindowTextA(ChildOfClass(editor, "Edit", false), ("Edited " + std::to_string(n)).c_str());
  SetWindowTextA(ChildOfClass(editor, "Edit", true), ("Round trip " + std::to_string(n) + "\r\nsecond line").c_str());
  HWND button = ChildOfClass(editor, "Button", false);
  SendMessageA(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
  ProcessMessages();
}

}  // namespace

int main() {
  const std::string work = ModuleFolder() + "\\soak-bench";
  CreateDirectoryA(work.c_str(), nullptr);
  std::ofstream(work + "\\Wisplet.ini", std::ios::binary) << NotesFile();

  Application& app = App();
  app.ExeName = work + "\\Wisplet.exe";
  app.Title = "Wisplet";
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  PrintFigures("before the program");

  auto forms = std::make_unique<ProgramForms>();
  app.FormMain->LoadAll();
  if (app.State.Stickers.size() != kNotes) {
    std::printf("loaded %zu notes instead of %d\n", app.State.Stickers.size(), kNotes);
    return 1;
  }
  // One cycle and one round trip first, so that what is made once on first
  // use (glyphs, fonts, the editor's scheme list) is there at the start.
  Cycle(*app.State.Stickers[0]);
  EditorRoundTrip(app, *app.State.Stickers[0], 0);
  PrintFigures("start (255 notes)");

  DWORD start = GetTickCount();
  for (int c = 1; c <= kCycles; ++c) {
    Cycle(*app.State.Stickers[c % kNotes]);
    if (c % 100 == 0) {
      app.HideAllStickers();
      ProcessMessages();
      app.ShowAllStickers();
      ProcessMessages();
    }
    if (c % 250 == 0) PrintFigures(("after " + std::to_string(c) + " cycles").c_str());
  }
  DWORD cyclesMs = GetTickCount() - start;
  start = GetTickCount();
  for (int n = 1; n <= kEditorRoundTrips; ++n) {
    EditorRoundTrip(app, *app.State.Stickers[(n * 7) % kNotes], n);
    if (n % 50 == 0) PrintFigures(("after " + std::to_string(n) + " round trips").c_str());
  }
  DWORD editorMs = GetTickCount() - start;
  PrintFigures("end");
  std::printf("%d cycles in %lu ms, %d editor round trips (each saving %d notes) in %lu ms\n", kCycles, cyclesMs,
              kEditorRoundTrips, kNotes, editorMs);

  forms.reset();
  DeleteFileA((work + "\\Wisplet.ini").c_str());
  RemoveDirectoryA(work.c_str());
  return 0;
}
