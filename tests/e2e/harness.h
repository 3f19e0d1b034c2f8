#pragma once
// What the end-to-end tests need to run the real Wisplet.exe under Wine and
// look at it from outside: a test folder with a copy of the program and its
// settings file, the running process and its windows, real input, message
// boxes, the registry and screenshots.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Folder of the test programs (build\bin), where Wisplet.exe lies.
std::string BinFolder();
// Where screenshots and other test output go (build\test-output).
std::string OutputFolder();

std::optional<std::string> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Polls until done() holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000, DWORD stepMs = 20);

// A fresh folder holding a copy of Wisplet.exe under the given name; removed
// again (read-only flags included) when the object goes.
class TestFolder {
 public:
  explicit TestFolder(const std::string& exeName = "Wisplet.exe");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Exe() const { return path_ + "\\" + exeName_; }
  std::string Ini() const;  // the settings file beside the exe
  void WriteIni(const std::string& text) const { WriteFileBytes(Ini(), text); }
  std::optional<std::string> ReadIni() const { return ReadFileBytes(Ini()); }

 private:
  std::string path_;
  std::string exeName_;
};

struct TopWindow {
  HWND hwnd;
  std::string className;
  std::string text;
};

// A running Wisplet.exe.
class AppProcess {
 public:
  explicit AppProcess(const std::string& exePath);
  ~AppProcess();  // kills the process if it still runs
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  DWORD Pid() const { return pi_.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; nullopt on time-out.
  std::optional<DWORD> WaitExit(DWORD timeoutMs = 10000) const;
  // Waits until start-up is complete and the message loop waits for input.
  bool WaitUp(DWORD timeoutMs = 15000) const;
  HWND MainWindow() const;
  // Top-level windows of the process, hidden ones included.
  std::vector<TopWindow> Windows() const;
  HWND FindWindowOfClass(const std::string& className) const;
  // Asks the program to exit the way the tray's "Exit" does.
  void RequestExit() const;
  // Exit and wait; true when the process ended.
  bool Exit(DWORD timeoutMs = 10000) const;
  void Kill();

 private:
  PROCESS_INFORMATION pi_{};
};

// A message box of the process: its caption and text.
struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
};
std::optional<MessageBoxInfo> WaitForMessageBox(const AppProcess& app, DWORD timeoutMs = 10000);
// Presses a button of a message box by its command id (IDOK, IDYES, ...).
void PressMessageBoxButton(const MessageBoxInfo& box, int id);

// Registry value "Sticker" of the machine's Run key.
std::optional<std::string> ReadAutorunValue();
void WriteAutorunValue(const std::string& value);
void WriteAutorunDword(DWORD value);
void DeleteAutorunValue();

// Runs a command line (for example "reg query ...") and returns its output.
std::string RunAndCapture(const std::string& commandLine, DWORD timeoutMs = 30000);

// Starts the hidden window that keeps the virtual desktop alive between programs.
void RestartDesktopKeeper();

// Saves the whole screen as a 24-bit BMP file in the output folder.
std::string SaveScreenshot(const std::string& name);

}  // namespace e2e
