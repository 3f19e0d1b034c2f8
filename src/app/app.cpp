#include "app/app.h"

#include <algorithm>

#include "app/form_about.h"
#include "app/main_form.h"
#include "dialogs/form_options.h"
#include "dialogs/form_sticker.h"
#include "notes/sticker_list.h"

namespace wisplet {
namespace {

void Dispatch(MSG& msg) {
  const auto& dialogs = App().Dialogs;
  bool handled = std::any_of(dialogs.begin(), dialogs.end(), [&](HWND dialog) {
    return IsWindowVisible(dialog) && IsDialogMessageA(dialog, &msg);
  });
  if (handled) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

Application& App() {
  static Application app;
  return app;
}

ProgramForms::ProgramForms() {
  Application& app = App();
  main_ = std::make_unique<TFormMain>();
  app.FormMain = main_.get();
  main_->FormCreate();
  sticker_ = std::make_unique<TFormSticker>();
  app.FormSticker = sticker_.get();
  options_ = std::make_unique<TFormOptions>();
  app.FormOptions = options_.get();
  about_ = std::make_unique<TFormAbout>();
  app.FormAbout = about_.get();
}

ProgramForms::~ProgramForms() {
  Application& app = App();
  app.FormAbout = nullptr;
  about_.reset();
  app.FormOptions = nullptr;
  options_.reset();
  app.FormSticker = nullptr;
  sticker_.reset();
  main_.reset();
  app.FormMain = nullptr;
  app.State.Stickers.clear();
  app.NoteWindows.clear();
}

HWND Application::ApplicationWindow() const { return FormMain ? FormMain->Handle() : nullptr; }

void Application::ShowEditNote(TStickerWindow& note) {
  if (FormSticker) FormSticker->ShowEditNote(note);
}
void Application::ShowNewNote() {
  if (FormSticker) FormSticker->ShowNewNote();
}

void Application::RemoveSticker(TStickerWindow& note) {
  wisplet::RemoveSticker(State.Stickers, note);
  BuildNotesListMenu();
}

void ShowErrorBox(const std::string& text) {
  MessageBoxA(App().ApplicationWindow(), text.c_str(), App().Title.c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    Dispatch(msg);
  }
}

int RunMessageLoop() {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    Dispatch(msg);
    // The quit request can be swallowed by a menu's own loop when the exit
    // sequence runs while a menu is open; the main window's end is final.
    if (!App().ApplicationWindow()) return 0;
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace wisplet
