// Start-up of Wisplet.exe with 0, 1 and 255 stored notes: the time until every
// note is shown, and what the process holds in windows, menus and GDI objects.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

std::string NotesFile(int count) {
  std::string text = "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=" +
                     std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    text += "[Sticker" + std::to_string(i) + "]\r\nTitle=Note " + std::to_string(i) +
            "\r\nMemoLineCount=3\r\nMemoLine0=>Buy milk\r\nMemoLine1=>\r\nMemoLine2=>  and bread\r\n"
            "Active=1\r\nTop=" + std::to_string((i % 14) * 50) + "\r\nLeft=" + std::to_string((i / 14) % 5 * 200) +
            "\r\nTitleColor=clWindow\r\nTitleGradColor=clSkyBlue\r\nMemoColor=clWhite\r\nMemoGradColor=clSkyBlue\r\n";
  }
  return text;
}

struct Counts {
  int notes = 0;
  int visibleNotes = 0;
  int windows = 0;
};

Counts CountWindows(DWORD pid) {
  struct Ctx {
    DWORD pid;
    Counts c;
  } ctx{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* ctx = reinterpret_cast<Ctx*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != ctx->pid) return TRUE;
        ++ctx->c.windows;
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) == "TStickerWindow") {
          ++ctx->c.notes;
          if (IsWindowVisible(hwnd)) ++ctx->c.visibleNotes;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.c;
}

}  // namespace

int main() {
  const std::string work = Folder() + "\\startup-bench";
  CreateDirectoryA(work.c_str(), nullptr);
  const std::string exe = work + "\\Wisplet.exe";
  CopyFileA((Folder() + "\\Wisplet.exe").c_str(), exe.c_str(), FALSE);
  std::printf("notes  start-up to all shown  windows  GDI objects  USER objects\n");
  for (int count : {0, 1, 255}) {
    std::ofstream(work + "\\Wisplet.ini", std::ios::binary) << NotesFile(count);
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    auto start = std::chrono::steady_clock::now();
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &si, &pi))
      return 1;
    Counts c;
    for (int i = 0; i < 3000; ++i) {  // at most 30 s
      c = CountWindows(pi.dwProcessId);
      if (c.windows > 0 && c.visibleNotes == count && WaitForInputIdle(pi.hProcess, 0) == 0) break;
      Sleep(10);
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DWORD gdi = GetGuiResources(pi.hProcess, GR_GDIOBJECTS);
    DWORD user = GetGuiResources(pi.hProcess, GR_USEROBJECTS);
    std::printf("%5d  %15.0f ms  %7d  %11lu  %12lu%s\n", count, ms, c.windows, gdi, user,
                gdi == 0 ? "   (this system does not count GDI/USER objects)" : "");
    HWND main = FindWindowA("TFormMain", nullptr);
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  DeleteFileA((work + "\\Wisplet.ini").c_str());
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(work.c_str());
  return 0;
}
