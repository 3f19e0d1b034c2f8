// Start-up of Wisplet.exe with 0, 1, 50 and 255 stored notes until every
// note is shown, beside its floor: the bare program WispletBareWindows.exe,
// which makes as many windows of the notes' styles, places and shows them, in
// the same kind of process on the same desktop. Then the time to repaint every
// window once. Each figure is the median of a few runs taken in turns, so that
// a busy machine weighs on all columns alike.
//   WispletStartupBench.exe [other\Wisplet.exe ...]
// Other builds of Wisplet.exe given on the command line are timed in the same
// turns, in columns of their own.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr int kCounts[] = {0, 1, 50, 255};

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

// A program to start: a copy of Wisplet.exe in a folder of its own, or the
// bare windows.
struct Program {
  std::string label;
  std::string exe;
  std::string mainClass;
  std::string noteClass;
  bool bare = false;
};

struct Seen {
  int windows = 0;
  std::vector<HWND> shown;  // visible note windows
  HWND main = nullptr;
};

Seen Look(DWORD pid, const Program& p) {
  struct Ctx {
    DWORD pid;
    const Program* p;
    Seen seen;
  } ctx{pid, &p, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != c->pid) return TRUE;
        ++c->seen.windows;
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (c->p->noteClass == cls && IsWindowVisible(hwnd)) c->seen.shown.push_back(hwnd);
        if (c->p->mainClass == cls) c->seen.main = hwnd;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.seen;
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Run {
  double startup = -1;  // ms until every note is shown; -1 when they never were
  double repaint = -1;  // ms to repaint every note once
};

Run Time(const Program& p, int count) {
  std::string folder = p.exe.substr(0, p.exe.find_last_of('\\'));
  if (!p.bare) std::ofstream(folder + "\\Wisplet.ini", std::ios::binary) << NotesFile(count);
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + p.exe + "\"" + (p.bare ? " " + std::to_string(count) : "");
  Run run;
  auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(p.exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return run;
  Seen seen;
  for (int i = 0; i < 6000; ++i) {  // at most a minute
    seen = Look(pi.dwProcessId, p);
    if (seen.main && int(seen.shown.size()) == count && WaitForInputIdle(pi.hProcess, 0) == 0) {
      run.startup = Since(start);
      break;
    }
    Sleep(10);
  }
  if (run.startup >= 0 && count > 0) {
    // UpdateWindow sends WM_PAINT at once, across processes too.
    auto paint = std::chrono::steady_clock::now();
    for (HWND hwnd : seen.shown) {
      InvalidateRect(hwnd, nullptr, TRUE);
      UpdateWindow(hwnd);
    }
    run.repaint = Since(paint);
  }
  if (seen.main) PostMessageA(seen.main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return run;
}

// The gradient painter's bound for one note: 255 bands, each a fill with a
// brush of its own, into a note-sized surface; done here for 255 notes.
double FillBound() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 50);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto start = std::chrono::steady_clock::now();
  for (int note = 0; note < 255; ++note)
    for (int band = 0; band < 255; ++band) {
      HBRUSH brush = CreateSolidBrush(RGB(band, 255 - band, note));
      RECT r{0, band % 50, 200, band % 50 + 1};
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    }
  double ms = Since(start);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() || v.front() < 0 ? -1 : v[v.size() / 2];
}

std::string Ms(double ms) {
  char text[32];
  if (ms < 0)
    std::snprintf(text, sizeof text, "%12s", "not shown");
  else
    std::snprintf(text, sizeof text, "%9.0f ms", ms);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string here = Folder(), work = here + "\\startup-bench";
  CreateDirectoryA(work.c_str(), nullptr);
  std::vector<std::string> builds{here + "\\Wisplet.exe"};
  for (int i = 1; i < argc; ++i) builds.push_back(argv[i]);
  std::vector<Program> programs;
  for (std::size_t i = 0; i < builds.size(); ++i) {
    std::string folder = work + "\\" + std::to_string(i);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string exe = folder + "\\Wisplet.exe";
    if (!CopyFileA(builds[i].c_str(), exe.c_str(), FALSE)) {
      std::printf("cannot copy %s\n", builds[i].c_str());
      return 1;
    }
    programs.push_back({i == 0 ? "Wisplet" : "build " + std::to_string(i), exe, "TFormMain", "TStickerWindow"});
  }
  programs.push_back({"bare windows", here + "\\WispletBareWindows.exe", "BareMain", "BareNote", true});

  std::printf("Start-up until every note is shown, median of %d runs in turns\nnotes", kRuns);
  for (const Program& p : programs) std::printf("  %12s", p.label.c_str());
  std::printf("  Wisplet / bare\n");
  std::vector<double> repaints(programs.size(), -1);
  for (int count : kCounts) {
    std::vector<std::vector<Run>> runs(programs.size());
    for (int r = 0; r < kRuns; ++r)
      for (std::size_t i = 0; i < programs.size(); ++i) runs[i].push_back(Time(programs[i], count));
    std::printf("%5d", count);
    std::vector<double> startups;
    for (std::size_t i = 0; i < programs.size(); ++i) {
      std::vector<double> s, p;
      for (const Run& run : runs[i]) {
        s.push_back(run.startup);
        p.push_back(run.repaint);
      }
      startups.push_back(Median(s));
      if (count == 255) repaints[i] = Median(p);
      std::printf("  %s", Ms(startups.back()).c_str());
    }
    double bare = startups.back();
    if (startups.front() > 0 && bare > 0) std::printf("  %14.2f", startups.front() / bare);
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("Repainting all 255 windows once:");
  for (std::size_t i = 0; i < programs.size(); ++i)
    std::printf("  %s %s", programs[i].label.c_str(), Ms(repaints[i]).c_str());
  std::printf("\n255 fills for each of 255 notes (the gradient painter's bound), in this process: %s\n",
              Ms(FillBound()).c_str());
  for (std::size_t i = 0; i < builds.size(); ++i) {
    std::string folder = work + "\\" + std::to_string(i);
    DeleteFileA((folder + "\\Wisplet.ini").c_str());
    DeleteFileA((folder + "\\Wisplet.exe").c_str());
    RemoveDirectoryA(folder.c_str());
  }
  RemoveDirectoryA(work.c_str());
  return 0;
}
