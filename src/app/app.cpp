#include "app/app.h"

#include "app/form_about.h"
#include "app/main_form.h"
#include "app/settings_watch.h"
#include "base/wide_text.h"
#include "dialogs/form_options.h"
#include "dialogs/form_sticker.h"
#include "notes/sticker_list.h"
#include "storage/stickers.h"

namespace wisplet {

Application& App() {
  static Application app;
  return app;
}

ProgramForms::ProgramForms() {
  Application& app = App();
  main_ = std::make_unique<TFormMain>();
  app.FormMain = main_.get();
  // The application window bears the application title, which captions the
  // program's messages.
  SetWindowTextW(main_->Handle(), Wide(app.Title).c_str());
  main_->FormCreate();
  sticker_ = std::make_unique<TFormSticker>(app);
  app.FormSticker = sticker_.get();
  options_ = std::make_unique<TFormOptions>(app);
  app.FormOptions = options_.get();
  about_ = std::make_unique<TFormAbout>();
  app.FormAbout = about_.get();
}

ProgramForms::~ProgramForms() {
  Application& app = App();
  app.Watch.reset();  // it shows merges in the forms
  app.FormAbout = nullptr;
  about_.reset();
  app.FormOptions = nullptr;
  options_.reset();
  app.DestroyNotesListMenu();
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
  if (!IsLive(&note)) return;  // closed elsewhere while the user was asked
  wisplet::RemoveSticker(State.Stickers, note);
  // Kept as it is now, shown and in its place, for "Recently closed".
  RememberClosed(ClosedNotes, StickerRecords({&note}).front());
  BuildNotesListMenu();
}

void Application::SaveMainSettings() {
  SaveAutorun(State, Autorun(), ExeName, *Messages);
  Sync->MainAppliedWhileUnread();
  SaveGroups(kMainGroup);
}

void Application::SaveSchemes() { SaveGroups(kSchemesGroup); }

void Application::SaveAllStickers() { SaveGroups(kNotesGroup); }

void Application::ShowAbout() {
  if (!FormAbout) return;
  HWND about = FormAbout->Handle();
  ShowWindow(about, SW_SHOW);
  SetForegroundWindow(about);
}

void Application::ExitSequence() {
  if (FormMain) FormMain->ExitSequence();
}

void ShowErrorBox(const std::string& text) {
  MessageBoxW(App().ApplicationWindow(), Wide(text).c_str(), Wide(App().Title).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace wisplet
