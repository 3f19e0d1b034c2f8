// A note with a very long text: the time to build it (title, text, scheme,
// which fits the window to the text) and to paint it, the whole note and the
// part a screen shows, into a memory device context through WM_PRINTCLIENT.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/win32_handles.h"
#include "model/scheme.h"
#include "notes/sticker_window.h"

using namespace wisplet;

namespace {

class NoHost : public NoteHost {
 public:
  void ShowEditNote(TStickerWindow&) override {}
  void ShowNewNote() override {}
  void RemoveSticker(TStickerWindow&) override {}
  const TListSticker& NoteList() const override { return notes_; }

 private:
  TListSticker notes_;
};

double Milliseconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The median of a few runs, so that one slow run does not decide.
double Median(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(Milliseconds(work));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Words of 1 to 11 letters separated by blanks, `length` characters in all.
std::string Words(std::size_t length) {
  std::string text;
  unsigned seed = 12345;
  while (text.size() < length) {
    seed = seed * 1103515245 + 12345;
    int letters = 1 + (seed >> 16) % 11;
    for (int i = 0; i < letters && text.size() < length; ++i) text += char('a' + (seed >> (i + 3)) % 26);
    if (text.size() < length) text += ' ';
  }
  return text;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += "\r\n";
    text += "Line " + std::to_string(i + 1) + ": something to remember";
  }
  return text;
}

TColorScheme SchemeOfType(std::uint8_t type) {
  TColorScheme s = DefaultScheme();
  s.TitleColor = 0x00FFE0C0;
  s.TitleGradColor = 0x00C08040;
  s.TitleGradType = type;
  s.MemoColor = 0x00C0FFFF;
  s.MemoGradColor = 0x0040C0FF;
  s.MemoGradType = type;
  return s;
}

// Paints the note's client area, or its top `rows` rows, into a memory DC.
bool PrintInto(TStickerWindow& note, int rows) {
  RECT client{};
  GetClientRect(note.Handle(), &client);
  int w = client.right, h = rows > 0 ? std::min<int>(rows, client.bottom) : client.bottom;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  GdiObject bitmap(CreateCompatibleBitmap(screen, w, h));
  ReleaseDC(nullptr, screen);
  bool ok = memory && bitmap;
  if (ok) {
    SelectObjectScope select(memory, bitmap.get());
    SendMessageA(note.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  }
  if (memory) DeleteDC(memory);
  return ok;
}

void Measure(const char* what, const std::string& memo, std::uint8_t type) {
  NoHost host;
  std::unique_ptr<TStickerWindow> note;
  double build = Milliseconds([&] {
    note = std::make_unique<TStickerWindow>(host);
    note->SetTitle("A long note");
    note->SetMemo(memo);
    note->ApplyScheme(SchemeOfType(type));
  });
  RECT r = note->Bounds();
  bool fullOk = true, screenOk = true;
  double full = Median(3, [&] { fullOk &= PrintInto(*note, 0); });
  double screenful = Median(5, [&] { screenOk &= PrintInto(*note, GetSystemMetrics(SM_CYSCREEN)); });
  double showAndPaint = Milliseconds([&] {
    note->SetActive(true);
    UpdateWindow(note->Handle());
  });
  // What a press on a title-bar button repaints.
  double button = Median(5, [&] {
    RECT b{150, 0, 165, 12};
    InvalidateRect(note->Handle(), &b, FALSE);
    UpdateWindow(note->Handle());
  });
  double rollUpAndDown = Milliseconds([&] {
    note->SetMinState(true);
    note->SetMinState(false);
  });
  note->SetActive(false);
  std::printf("%-28s type %d %6zu chars %3ld x %5ld px: build %6.1f ms, paint all %6.1f ms%s, "
              "a screenful %6.1f ms%s, show %6.1f ms, a button %5.1f ms, roll up and down %6.1f ms\n",
              what, type, memo.size(), r.right - r.left, r.bottom - r.top, build, full,
              fullOk ? "" : " (no bitmap)", screenful, screenOk ? "" : " (no bitmap)", showAndPaint, button,
              rollUpAndDown);
  std::fflush(stdout);
}

// 255 notes as the start-up bench stores them, each painted once through
// WM_PRINTCLIENT, beside the gradient painter's bound for them: 255 fills
// each, with a brush of their own.
void EveryNoteOnce() {
  NoHost host;
  std::vector<std::unique_ptr<TStickerWindow>> notes;
  TColorScheme scheme = DefaultScheme();
  for (int i = 0; i < 255; ++i) {
    notes.push_back(std::make_unique<TStickerWindow>(host));
    notes.back()->SetTitle("Note " + std::to_string(i));
    notes.back()->SetMemo("Buy milk\r\n\r\n  and bread");
    notes.back()->ApplyScheme(scheme);
  }
  RECT r = notes.front()->Bounds();
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  GdiObject bitmap(CreateCompatibleBitmap(screen, w, h));
  ReleaseDC(nullptr, screen);
  SelectObjectScope select(memory, bitmap.get());
  auto paintAll = [&] {
    for (auto& note : notes)
      SendMessageA(note->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  };
  paintAll();  // glyphs and fonts are made at the first paint
  double paint = Median(5, paintAll);
  double fills = Median(5, [&] {
    for (int note = 0; note < 255; ++note)
      for (int band = 0; band < 255; ++band) {
        GdiObject brush(CreateSolidBrush(RGB(band, 255 - band, note)));
        RECT rc{0, band % h, w, band % h + 1};
        FillRect(memory, &rc, static_cast<HBRUSH>(brush.get()));
      }
  });
  DeleteDC(memory);
  std::printf("255 notes of %d x %d px painted once: %.1f ms; 255 fills for each (the painter's bound): %.1f ms\n",
              w, h, paint, fills);
}

}  // namespace

int main() {
  EveryNoteOnce();
  std::printf("Note with a very long text: build (title, text, scheme) and paint through WM_PRINTCLIENT\n");
  const std::string words = Words(100000);
  const std::string lines = Lines(5000);
  for (std::uint8_t type : {std::uint8_t(fgdHorizontal), std::uint8_t(fgdLeftBias), std::uint8_t(fgdRectangle)}) {
    Measure("100,000 characters of words", words, type);
    Measure("5,000 lines", lines, type);
  }
  return 0;
}
