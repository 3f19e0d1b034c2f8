#pragma once
// The settings file beside the executable and the log-on start entry: value
// forms, [Main] and the [Scheme<n>] sections.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/color.h"
#include "model/hotkey.h"
#include "model/scheme.h"
#include "model/state.h"
#include "storage/ini_document.h"
#include "storage/text_encoding.h"

namespace wisplet {

// The bytes of the settings file.
class SettingsFile {
 public:
  // Recovered: the bytes of a save that did not reach the file whole; the
  // next save writes them out even when it changes nothing.
  enum class ReadStatus { Ok, Missing, Failed, Recovered };
  virtual ~SettingsFile() = default;
  virtual const std::string& Path() const = 0;
  virtual ReadStatus Read(std::string& bytes) = 0;
  // Replaces the whole file, or leaves it as it was and returns false.
  virtual bool Replace(const std::string& bytes) = 0;
};

// The settings file object: reads give the file as it is now; every save reads
// the file afresh, edits it in memory and replaces it in one write. A file
// without a byte order mark is read in its code page (see CodePageOfFile) and
// written back in it byte for byte while everything it holds fits that code
// page; the first save of a character that does not fit writes the whole file
// as UTF-16LE with a byte order mark, which it stays. A file saved as Unicode
// (UTF-8 or UTF-16 with a byte order mark) is written back in its encoding.
class TIniFile {
 public:
  explicit TIniFile(SettingsFile& file, CodePages codePages = {});
  const std::string& FileName() const { return file_.Path(); }
  // The file's contents; a missing or unreadable file reads as empty.
  IniDocument Load() const;
  // The file's contents into `doc` (empty for a missing file), and how the
  // read went; `doc` is left alone when the file cannot be read.
  SettingsFile::ReadStatus Read(IniDocument& doc) const;
  // The document that bytes of the file hold, read as Read reads them.
  IniDocument Parse(const std::string& bytes) const { return Decode(bytes).doc; }
  // Throws Error "Unable to write to <path>" when the file cannot be read or
  // replaced; the file then stays as it was. Writes nothing when nothing
  // changed. Returns the bytes the file holds afterwards.
  std::string Update(const std::function<void(IniDocument&)>& edit);

 private:
  struct Decoded {
    IniDocument doc;
    FileEncoding encoding = FileEncoding::Ansi;
  };
  Decoded Decode(const std::string& bytes) const;

  SettingsFile& file_;
  CodePages codePages_;
};

// Value forms of the settings file.
std::int32_t ReadInteger(const IniDocument& doc, std::string_view section, std::string_view key,
                         std::int32_t def);
bool ReadBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def);
std::uint8_t ReadByte(const IniDocument& doc, std::string_view section, std::string_view key,
                      std::uint8_t def);
TColor ReadColor(const IniDocument& doc, std::string_view section, std::string_view key, TColor def);
std::string ReadText(const IniDocument& doc, std::string_view section, std::string_view key,
                     std::string_view def);

void WriteInteger(IniDocument& doc, std::string_view section, std::string_view key, std::int64_t v);
void WriteBool(IniDocument& doc, std::string_view section, std::string_view key, bool v);
void WriteColor(IniDocument& doc, std::string_view section, std::string_view key, TColor v);
// Text that the profile functions would trim or unquote goes in quotes, and a
// line break (which would split the line) becomes a blank.
void WriteText(IniDocument& doc, std::string_view section, std::string_view key,
               std::string_view v);

// How many of the counted sections to read: a negative count reads as 0, and a
// count is bounded by kMaxCountedSections or the number of sections in the
// file, whichever is larger, so a damaged count cannot exhaust memory.
constexpr std::int32_t kMaxCountedSections = 1024;
std::size_t ReadSectionCount(const IniDocument& doc, std::string_view key);

// One Run key of the registry holding the log-on start entry, the value
// "Sticker": the machine's, or the user's own.
class AutorunStore {
 public:
  enum class Status { Ok, CantOpen, Failed };
  virtual ~AutorunStore() = default;
  // Needs read access only. A missing value (or key) reads as Ok with empty
  // text; a value that is not text Failed.
  virtual Status Read(std::string& value) = 0;
  virtual Status Write(const std::string& value) = 0;
  virtual Status Delete() = 0;  // Ok when there is nothing to delete
};

// The log-on start entry. It lives in the machine's Run key; a user who may
// not write there (a standard user under user account control) gets the
// same value in the user's own Run key instead. The program starts with
// Windows when either holds its path.
struct AutorunEntry {
  AutorunStore& machine;
  AutorunStore& user;
};

// Error boxes for the registry failures that do not end an operation.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowError(const std::string& text) = 0;
};

inline constexpr std::string_view kMainSection = "Main";
inline constexpr std::string_view kAutorunValueName = "Sticker";

void LoadMainSettings(ProgramState& state, const IniDocument& doc, AutorunEntry autorun,
                      const std::string& exePath, MessageSink& messages);
// The settings [Main] keeps (the menu style and the hotkeys), each with its
// default when missing.
void ReadMainSettings(ProgramState& state, const IniDocument& doc);
// Throws Error when the settings file or the registry value cannot be written.
void SaveMainSettings(const ProgramState& state, TIniFile& ini, AutorunEntry autorun,
                      const std::string& exePath, MessageSink& messages);
// The two halves of SaveMainSettings, for a save that writes [Main] in one
// replacement of the file together with the schemes and the notes. SaveAutorun
// throws Error when the registry value cannot be written.
void SaveAutorun(const ProgramState& state, AutorunEntry autorun, const std::string& exePath,
                 MessageSink& messages);
void WriteMainSettings(const ProgramState& state, IniDocument& doc);

// The system-wide keys in [Main], "HotkeyNewNote" and "HotkeyShowHide", in
// HotkeyToText's form ("Win+Shift+N", "None" when switched off). A missing
// key, or a value that is not a usable hotkey, reads as the default. A hotkey
// at its default is written only over a value the file already holds (which
// mends a damaged one), so a file whose keys were never changed stays as it
// was and reads the same in a build without hotkeys.
std::string_view HotkeyKeyName(HotkeyAction action);
Hotkey ReadHotkey(const IniDocument& doc, HotkeyAction action);
void WriteHotkey(IniDocument& doc, HotkeyAction action, Hotkey hotkey);

// The ten keys of a scheme, in the order the file keeps them; `defaults`
// gives each missing key its value.
TColorScheme ReadSchemeKeys(const IniDocument& doc, std::string_view section,
                            const TColorScheme& defaults);
void WriteSchemeKeys(IniDocument& doc, std::string_view section, const TColorScheme& scheme);

void LoadSchemes(TListColorScheme& schemes, const IniDocument& doc);
void WriteSchemes(const TListColorScheme& schemes, IniDocument& doc);
void SaveSchemes(const TListColorScheme& schemes, TIniFile& ini);

}  // namespace wisplet
