#include "model/command_line.h"

#include "model/ascii.h"

namespace wisplet {
namespace {

constexpr std::uint8_t kFormatVersion = 1;
constexpr std::size_t kHeaderBytes = 6;  // version, command, 32-bit length
// How much of a command line that was not understood the message quotes.
constexpr std::size_t kQuotedBytes = 200;

bool IsSwitch(std::string_view arg, std::string_view name) {
  return !arg.empty() && (arg[0] == '/' || arg[0] == '-') && EqualsNoCase(arg.substr(1), name);
}

// At most `limit` bytes of UTF-8 text, not ending inside a character.
std::string_view CutUtf8(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string Join(const std::vector<std::string>& args, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < args.size(); ++i) text += (i > first ? " " : "") + args[i];
  return text;
}

// Note text separates its lines with CR LF.
std::string WithCrLf(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::string CommandLineHelp() {
  return "Wisplet takes one of these switches:\n"
         "/new [text] - opens the note editor for a new note, with the text filled in\n"
         "/show - shows all notes\n"
         "/hide - hides all notes\n"
         "/exit - saves everything and ends Wisplet\n"
         "Without a switch Wisplet starts, or does nothing when it already runs.";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine out;
  if (args.empty()) return out;
  const std::string& first = args[0];
  if (IsSwitch(first, "new")) {
    out.command = AppCommand::NewNote;
    out.text = WithCrLf(Join(args, 1));
    return out;
  }
  if (args.size() == 1) {
    if (IsSwitch(first, "show")) out.command = AppCommand::ShowAll;
    if (IsSwitch(first, "hide")) out.command = AppCommand::HideAll;
    if (IsSwitch(first, "exit")) out.command = AppCommand::Exit;
    if (IsSwitch(first, "?")) out.message = CommandLineHelp();
    if (out.command != AppCommand::None || !out.message.empty()) return out;
  }
  const std::string all = Join(args, 0);
  const std::string_view quoted = CutUtf8(all, kQuotedBytes);
  out.error = true;
  out.message = "Wisplet does not understand the command line \"" + std::string(quoted) +
                (quoted.size() < all.size() ? "...\"" : "\"") + ".\n\n" + CommandLineHelp();
  return out;
}

StartChoice ChooseStart(AppCommand command, bool wispletRuns) {
  if (wispletRuns) return command == AppCommand::None ? StartChoice::EndQuietly : StartChoice::HandOver;
  return command == AppCommand::Exit ? StartChoice::EndQuietly : StartChoice::StartWisplet;
}

std::string EncodeCommand(const HandedCommand& command) {
  const std::string_view text = CutUtf8(command.text, kMaxCommandTextBytes);
  const auto length = static_cast<std::uint32_t>(text.size());
  std::string bytes;
  bytes += static_cast<char>(kFormatVersion);
  bytes += static_cast<char>(command.command);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((length >> shift) & 0xFF);
  bytes += text;
  return bytes;
}

std::optional<HandedCommand> DecodeCommand(std::uintptr_t tag, const void* data, std::size_t size) {
  if (tag != kCommandMessageTag || data == nullptr || size < kHeaderBytes) return std::nullopt;
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (bytes[0] != kFormatVersion) return std::nullopt;
  if (bytes[1] < static_cast<std::uint8_t>(AppCommand::NewNote) || bytes[1] > static_cast<std::uint8_t>(AppCommand::Exit))
    return std::nullopt;
  const auto command = static_cast<AppCommand>(bytes[1]);
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length |= std::uint32_t(bytes[2 + i]) << (8 * i);
  if (length != size - kHeaderBytes || length > kMaxCommandTextBytes) return std::nullopt;
  if (length > 0 && command != AppCommand::NewNote) return std::nullopt;
  std::string text(reinterpret_cast<const char*>(bytes + kHeaderBytes), length);
  if (text.find('\0') != std::string::npos) return std::nullopt;
  return HandedCommand{command, std::move(text)};
}

}  // namespace wisplet
