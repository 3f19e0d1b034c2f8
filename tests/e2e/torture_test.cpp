// A save cut short: Wisplet is started with 255 notes, a save is set off (the
// note editor's "Create New", "Exit" or the end of the session) and the process
// is ended at a random moment within the time that save takes. The settings
// file must then be, byte for byte, the old one or the new one, and the
// program must start again with all its notes.
//
// WISPLET_TORTURE_KILLS sets the number of kills (4 by default, so that each
// kind of save is cut at least once; `make torture` asks for 200),
// WISPLET_TORTURE_SEED the random sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "harness.h"

using namespace e2e;

namespace {

constexpr int kNotes = 255;
constexpr DWORD kStartTimeoutMs = 120000;  // 255 notes start slowly under load

int EnvInt(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int NoteLeft(int n) { return (n / 14) % 5 * 200; }
int NoteTop(int n) { return (n % 14) * 52; }

std::string ManyNotes() {
  std::vector<std::string> notes;
  for (int n = 0; n < kNotes; ++n)
    notes.push_back("Title=Note " + std::to_string(n) + "\r\nMemoLineCount=3\r\nMemoLine0=>Buy milk\r\n"
                    "MemoLine1=>\r\nMemoLine2=>  and bread " + std::to_string(n) + "\r\nActive=1\r\nTop=" +
                    std::to_string(NoteTop(n)) + "\r\nLeft=" + std::to_string(NoteLeft(n)) + "\r\n");
  return NotesIni(notes);
}

int StoredCount(const std::string& ini) {
  std::size_t at = ini.find("StickerCount=");
  return at == std::string::npos ? -1 : std::atoi(ini.c_str() + at + 13);
}

// The moment of the last write and the size tell a replaced file from the old.
std::optional<std::pair<ULONGLONG, ULONGLONG>> StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return std::make_pair((ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime,
                        (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

// The temporary files of a save, left behind when it was cut short; removed.
int RemoveTemporaryFiles(const TestFolder& folder) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder.Path() + "\\*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    DeleteFileA((folder.Path() + "\\" + found.cFileName).c_str());
    ++count;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return count;
}

bool TemporaryFileExists(const TestFolder& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder.Path() + "\\*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

// Wisplet up with every note of its settings file made; null if it is not.
std::unique_ptr<AppProcess> StartWithAllNotes(const TestFolder& folder, int notes) {
  auto app = std::make_unique<AppProcess>(folder.Exe());
  if (!app->WaitUp(kStartTimeoutMs)) return nullptr;
  if (!WaitUntil([&] { return static_cast<int>(NoteWindows(*app).size()) == notes; }, kStartTimeoutMs, 50))
    return nullptr;
  return app;
}

enum class Save { CreateNew, Exit, EndSession };
const char* NameOf(Save save) {
  switch (save) {
    case Save::CreateNew: return "Create New";
    case Save::Exit: return "Exit";
    default: return "end of the session";
  }
}

HWND EditorChild(HWND editor, const char* className, bool multiLine) {
  for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, className) != 0) continue;
    if (_stricmp(className, "Edit") != 0 || ((GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE) != 0) == multiLine)
      return child;
  }
  return nullptr;
}

void SetText(HWND control, const char* text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &result);
}

// Makes the change that the save will write: the editor filled in for a new
// note, or the first note hidden (hiding is saved at the next save only).
bool Prepare(AppProcess& app, Save save) {
  if (save == Save::CreateNew) {
    HWND editor = app.FindWindowOfClass("TFormSticker");
    if (!editor) return false;
    SetText(EditorChild(editor, "Edit", false), "Written when the program was ended");
    SetText(EditorChild(editor, "Edit", true), "line one\r\n\r\n  line three");
    return true;
  }
  HWND first = NoteWindowAt(app, NoteLeft(0), NoteTop(0));
  if (!first) return false;
  PostMessageA(first, WM_CLOSE, 0, 0);  // a note hides on a close request
  return WaitUntil([&] { return !IsWindowVisible(first); }, 10000);
}

void SetOff(AppProcess& app, Save save) {
  switch (save) {
    case Save::CreateNew: {
      HWND editor = app.FindWindowOfClass("TFormSticker");
      HWND button = EditorChild(editor, "Button", false);
      PostMessageA(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
      break;
    }
    case Save::Exit:
      app.RequestExit();
      break;
    case Save::EndSession: {
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(app.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
      SendNotifyMessageA(app.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
      break;
    }
  }
}

// A new note's ID is the moment it was made: files written by "Create New"
// are compared without the value of that one key.
std::string WithoutNewNoteId(std::string ini) {
  std::size_t section = ini.find("[Sticker" + std::to_string(kNotes) + "]\r\n");
  std::size_t id = section == std::string::npos ? section : ini.find("\r\nID=", section);
  if (id != std::string::npos) ini.erase(id + 5, ini.find("\r\n", id + 5) - (id + 5));
  return ini;
}

struct Calibration {
  std::string newFile;
  double writeStartsMs = 0;  // from setting the save off until its first temporary file is there
  double replacedMs = 0;     // ... until the settings file is first replaced
  double durationMs = 0;     // ... until the save is over
};

// Runs a save to its end: what it writes, and when.
std::optional<Calibration> Calibrate(const TestFolder& folder, const std::string& old, Save save) {
  folder.WriteIni(old);
  auto app = StartWithAllNotes(folder, kNotes);
  if (!app || !Prepare(*app, save)) return std::nullopt;
  const HWND main = app->MainWindow();
  const auto before = StampOf(folder.Ini());
  Calibration c;
  const double start = NowMs();
  SetOff(*app, save);
  bool replaced = WaitUntil(
      [&] {
        if (c.writeStartsMs == 0 && TemporaryFileExists(folder)) c.writeStartsMs = NowMs() - start;
        return StampOf(folder.Ini()) != before;
      },
      60000, 1);
  c.replacedMs = NowMs() - start;
  if (!replaced) return std::nullopt;
  if (save == Save::Exit) {
    // The save is over with the last change of the file before the process
    // ends (ending it, which destroys every note, takes much longer).
    auto last = StampOf(folder.Ini());
    c.durationMs = c.replacedMs;
    WaitUntil(
        [&] {
          if (auto now = StampOf(folder.Ini()); now != last) {
            last = now;
            c.durationMs = NowMs() - start;
          }
          return !app->Running();
        },
        60000, 1);
  } else {
    // The save is over when the program answers a message sent behind the
    // one that set it off.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 60000, &result);
    c.durationMs = NowMs() - start;
  }
  c.newFile = folder.ReadIni().value_or("");
  app->Kill();
  RemoveTemporaryFiles(folder);
  return c;
}

}  // namespace

TEST(Torture, AKilledSaveLeavesTheOldFileOrTheNewOneAndEveryNote) {
  const int kills = EnvInt("WISPLET_TORTURE_KILLS", 4);
  const unsigned seed = static_cast<unsigned>(EnvInt("WISPLET_TORTURE_SEED", static_cast<int>(GetTickCount())));
  std::mt19937 random(seed);
  TestFolder folder;

  // A file without "CurrentStyle" and "SchemesCount", as an older version or
  // a hand left it: "Exit" adds them, so its save changes [Main], the schemes
  // and the notes, all of which must reach the file together.
  const std::string old = ManyNotes();
  ASSERT_EQ(StoredCount(old), kNotes);

  const Save saves[] = {Save::CreateNew, Save::Exit, Save::EndSession};
  Calibration calibration[3];
  for (Save save : saves) {
    auto c = Calibrate(folder, old, save);
    ASSERT_TRUE(c) << NameOf(save) << ": the save did not complete";
    ASSERT_NE(c->newFile, old) << NameOf(save);
    std::printf("%-20s from setting it off: temporary file after %4.0f ms, file replaced after %4.0f ms, "
                "save over after %4.0f ms\n",
                NameOf(save), c->writeStartsMs, c->replacedMs, c->durationMs);
    calibration[static_cast<int>(save)] = *c;
  }

  int before = 0, inside = 0, after = 0, broken = 0;
  folder.WriteIni(old);
  for (int kill = 0; kill < kills; ++kill) {
    const Save save = saves[kill % 3];
    const Calibration& c = calibration[static_cast<int>(save)];
    // The start is also the check that the file the last kill left starts with all notes.
    auto app = StartWithAllNotes(folder, kNotes);
    ASSERT_TRUE(app) << "kill " << kill << ": Wisplet did not start with all " << kNotes << " notes";
    ASSERT_TRUE(Prepare(*app, save)) << "kill " << kill;
    const double delay = std::uniform_real_distribution<double>(0, c.durationMs)(random);
    const double start = NowMs();
    SetOff(*app, save);
    while (NowMs() - start < delay) Sleep(NowMs() - start < delay - 20 ? 1 : 0);
    app->Kill();

    const std::string left = folder.ReadIni().value_or("<no file>");
    const bool temporary = RemoveTemporaryFiles(folder) > 0;
    const bool isOld = left == old;
    const bool isNew = save == Save::CreateNew ? WithoutNewNoteId(left) == WithoutNewNoteId(c.newFile)
                                               : left == c.newFile;
    if (!isOld && !isNew) {
      ++broken;
      WriteFileBytes(OutputFolder() + "\\torture-kill-" + std::to_string(kill) + ".ini", left);
      ADD_FAILURE() << "kill " << kill << " (" << NameOf(save) << " after " << delay
                    << " ms) left a file that is neither the old nor the new one";
    }
    (isNew ? after : temporary ? inside : before) += 1;
    if (isOld) continue;
    // The new file must start with all its notes too; then back to the old one.
    app = StartWithAllNotes(folder, StoredCount(left));
    ASSERT_TRUE(app) << "kill " << kill << ": Wisplet did not start with the notes of the file left";
    app->Kill();
    folder.WriteIni(old);
  }
  auto last = StartWithAllNotes(folder, StoredCount(folder.ReadIni().value_or("")));
  EXPECT_TRUE(last) << "Wisplet did not start with all notes after the last kill";

  std::printf("%d kills (seed %u): %d inside a save (its temporary file written, the settings file not yet "
              "replaced), %d before the save had written anything, %d after the file was replaced; "
              "%d left a damaged file\n",
              kills, seed, inside, before, after, broken);
  RecordProperty("kills_inside_a_save", inside);
}
