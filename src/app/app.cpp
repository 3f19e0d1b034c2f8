#include "app/app.h"

#include "app/form_about.h"
#include "app/main_form.h"
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
  wisplet::RemoveSticker(State.Stickers, note);
  // Kept as it is now, shown and in its place, for "Recently closed".
  RememberClosed(ClosedNotes, StickerRecords({&note}).front());
  BuildNotesListMenu();
}

void Application::SaveMainSettings() {
  SaveAutorun(State, Autorun(), ExeName, *Messages);
  if (!FileRead->Done()) StyleChosenWhileUnread = true;
  if (ReadyToSave()) IniFile->Update([&](IniDocument& doc) { WriteMainSettings(State, doc); });
}

void Application::SaveSchemes() {
  if (ReadyToSave()) wisplet::SaveSchemes(State.ColorSchemes, *IniFile);
}

void Application::SaveAllStickers() {
  if (ReadyToSave()) IniFile->Update([&](IniDocument& doc) { WriteNotes(doc); });
}

void Application::WriteNotes(IniDocument& doc) const {
  WriteStickers(StickerRecords(State.Stickers), doc);
  WriteClosedStickers(ClosedNotes, doc);
}

bool Application::ReadyToSave() {
  IniDocument doc;
  switch (FileRead->BeforeSave(doc)) {
    case SaveStep::Write: return true;
    case SaveStep::Hold: return false;
    case SaveStep::TakeInFirst: break;
  }
  TakeIn(doc);
  return true;
}

void Application::TakeIn(const IniDocument& doc) {
  const KeptSettings file = ReadKeptSettings(doc);
  const KeptSettings run{State.CurrentStyle, State.ColorSchemes, StickerRecords(State.Stickers), ClosedNotes};
  const KeptSettings both = UnionWithUnreadFile(file, run, StyleChosenWhileUnread);
  // Windows for the notes this run does not hold yet, in front of its own.
  TListSticker runNotes;
  runNotes.swap(State.Stickers);
  const std::vector<StickerRecord> fromFile(both.notes.begin(),
                                            both.notes.end() - static_cast<std::ptrdiff_t>(runNotes.size()));
  LoadStickers(State.Stickers, fromFile, *this, NoteWindows);
  State.Stickers.insert(State.Stickers.end(), runNotes.begin(), runNotes.end());
  State.ColorSchemes = both.schemes;
  State.CurrentStyle = both.style;
  // The system-wide keys go with the menu style: the file's, unless chosen in this run.
  if (!StyleChosenWhileUnread)
    for (HotkeyAction action : kHotkeyActions) State.*HotkeyField(action) = ReadHotkey(doc, action);
  ClosedNotes = both.closed;
  const std::size_t schemesInFront = both.schemes.size() - run.schemes.size();
  if (FormOptions) FormOptions->SettingsTakenIn(schemesInFront);
  if (FormSticker) FormSticker->SchemesInsertedAtFront(schemesInFront);
  BuildNotesListMenu();
}

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
