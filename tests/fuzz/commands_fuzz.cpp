// What reaches the program from other processes and from the user's hands:
// a handed-over command is taken only as its own encoding, and never read
// past its end; a command line is a command or a message; a hotkey's text
// is refused or reads as a usable hotkey whose written form reads the same.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "model/command_line.h"
#include "model/hotkey.h"

using namespace wisplet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that the sanitizer sees any read past the end.
  const std::vector<uint8_t> bytes(data, data + size);
  const auto handed = DecodeCommand(kCommandMessageTag, bytes.empty() ? nullptr : bytes.data(), size);
  if (handed) {
    FUZZ_CHECK(handed->command != AppCommand::None);
    FUZZ_CHECK(EncodeCommand(*handed) == std::string(bytes.begin(), bytes.end()));
  }

  const std::string text(reinterpret_cast<const char*>(data), size);
  // The arguments: the bytes split at NULs.
  std::vector<std::string> args;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t nul = text.find('\0', start);
    if (nul == std::string::npos) nul = text.size();
    args.push_back(text.substr(start, nul - start));
    start = nul + 1;
  }
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (parsed.error)
    FUZZ_CHECK(parsed.command == AppCommand::None && parsed.message.find(CommandLineHelp()) != std::string::npos);
  else if (!parsed.message.empty())
    FUZZ_CHECK(parsed.command == AppCommand::None && parsed.message == CommandLineHelp());
  else
    FUZZ_CHECK(parsed.command != AppCommand::None);

  if (auto hotkey = HotkeyFromText(text)) {
    FUZZ_CHECK(IsUsableHotkey(*hotkey));
    FUZZ_CHECK(HotkeyFromText(HotkeyToText(*hotkey)) == hotkey);
  }
  return 0;
}
