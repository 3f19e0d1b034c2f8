#pragma once
// The command line, and the message in which a starting process hands its
// command to the copy of Wisplet that already runs.
//
//   Wisplet.exe /new [text]   opens the note editor for a new note, with the
//                             text filled in
//   Wisplet.exe /show         shows all notes
//   Wisplet.exe /hide         hides all notes
//   Wisplet.exe /exit         saves everything and ends Wisplet
//   Wisplet.exe /?            shows this list
//
// What the shell does at start, in this order:
// 1. ParseCommandLine on the arguments after the program's name, as
//    CommandLineToArgvW splits and unquotes them, in UTF-8.
// 2. A message (after "/?" or for a command line it cannot read): show it in
//    a message box captioned with the application title, and end (exit code 0
//    after "/?", 1 after an error) - whether or not Wisplet runs.
// 3. Then ChooseStart: hand the command over to the running copy (as a
//    WM_COPYDATA message, below) and end; or start Wisplet and run the command
//    once the notes are loaded; or end without a word.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wisplet {

enum class AppCommand : std::uint8_t { None = 0, NewNote = 1, ShowAll = 2, HideAll = 3, Exit = 4 };

struct ParsedCommandLine {
  AppCommand command = AppCommand::None;
  // NewNote: the note's text; empty when none was given, and the editor then
  // keeps what it holds.
  std::string text;
  // Not empty: the one message to show; nothing else runs.
  std::string message;
  bool error = false;
};

// Switches start with "/" or "-" and are read in any case ("/NEW", "-new").
// No arguments: a plain start. "/new" takes all the arguments after it as the
// note's text, joined by single blanks, so that `/new "buy milk"` and
// `/new buy milk` both give "buy milk"; a line break in it becomes CR LF, as
// note text holds it. Any other word, or a second argument after "/show",
// "/hide" or "/exit", is an error whose message names what was not understood
// and lists the switches.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The list of switches, one line each with what it does.
std::string CommandLineHelp();

enum class StartChoice {
  StartWisplet,  // become the running copy; run the command after loading
  HandOver,      // send the command to the running copy and end
  EndQuietly,    // end at once: nothing to do
};
// A start without a command while Wisplet runs ends silently, as any second
// start does; "/exit" without a running copy has nothing to end.
StartChoice ChooseStart(AppCommand command, bool wispletRuns);

// The WM_COPYDATA message: dwData is kCommandMessageTag, the data is
// EncodeCommand's bytes: a format version (1), the command, the text's length
// in bytes (32 bits, little-endian) and the text. The running copy answers
// TRUE when it took the command, FALSE for anything it rejected, so the
// sender can tell a copy too old to understand it.
constexpr std::uintptr_t kCommandMessageTag = 0x57504C31;  // "WPL1"
// The longest text handed over; the command line itself holds far less.
constexpr std::size_t kMaxCommandTextBytes = 1 << 20;

struct HandedCommand {
  AppCommand command = AppCommand::None;
  std::string text;
  bool operator==(const HandedCommand&) const = default;
};

// Text beyond kMaxCommandTextBytes is cut at a character boundary.
std::string EncodeCommand(const HandedCommand& command);
// Nothing for a message that is not one of ours or is damaged: another tag,
// another version, a size that does not match its length, an unknown command,
// no command, text with a command other than NewNote, text beyond the limit
// or holding a NUL byte (no command line holds one).
// Reads no byte beyond `size`; `data` may be null when `size` is 0.
std::optional<HandedCommand> DecodeCommand(std::uintptr_t tag, const void* data, std::size_t size);

}  // namespace wisplet
