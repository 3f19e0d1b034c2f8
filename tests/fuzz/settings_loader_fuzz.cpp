// The settings loaders on any file: [Main] (with the hotkeys) and the schemes
// load without failing, are saved as "Exit" saves them, and load again the same.
#include <string>

#include "fakes.h"
#include "fuzz_check.h"
#include "storage/settings.h"

using namespace wisplet;
using namespace wisplet::testing;
using namespace wisplet_fuzz;

namespace {

const std::string kExe = "C:\\Notes\\Wisplet.exe";

ProgramState Load(TIniFile& ini, FakeAutorun& autorun) {
  ProgramState state;
  RecordingMessages messages;
  const IniDocument doc = ini.Load();
  LoadMainSettings(state, doc, MachineKeyOnly(autorun), kExe, messages);
  LoadSchemes(state.ColorSchemes, doc);
  return state;
}

bool SameScheme(const TColorScheme& read, const TColorScheme& written) {
  TColorScheme named = written;
  named.Name = read.Name;
  return ReadsBackAs(read.Name, written.Name) && read == named;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFile file(std::string(reinterpret_cast<const char*>(data), size), /*present=*/true);
  TIniFile ini(file);
  FakeAutorun autorun;
  const ProgramState state = Load(ini, autorun);

  ini.Update([&](IniDocument& doc) {
    WriteMainSettings(state, doc);
    WriteSchemes(state.ColorSchemes, doc);
  });
  const ProgramState back = Load(ini, autorun);
  FUZZ_CHECK(ReadsBackAs(back.CurrentStyle, state.CurrentStyle));
  FUZZ_CHECK(back.NewNoteHotkey == state.NewNoteHotkey && back.ShowHideHotkey == state.ShowHideHotkey);
  FUZZ_CHECK(back.ColorSchemes.size() == state.ColorSchemes.size());
  for (std::size_t n = 0; n < state.ColorSchemes.size(); ++n)
    FUZZ_CHECK(SameScheme(back.ColorSchemes[n], state.ColorSchemes[n]));
  return 0;
}
