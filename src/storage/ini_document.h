#pragma once
// An INI file held in memory with the reading and writing rules of the Windows
// profile functions, so that the settings file can be read once and replaced in
// one atomic write while behaving as GetPrivateProfileString and
// WritePrivateProfileString would on the same file. Lines the program does not
// change are kept as they were.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/text_encoding.h"

namespace wisplet {

class IniDocument {
 public:
  IniDocument();
  // Parses UTF-8 text; CR LF, LF and CR all end a line. Names and values come
  // and go as the document holds them.
  static IniDocument Parse(std::string_view text);
  // Parses 8-bit text of a code page (a file without a byte order mark). The
  // lines keep their bytes; names and values come and go as UTF-8, which
  // `codec` converts where they cross. The first value (or name) that the
  // code page cannot hold turns the whole document into UTF-8 text.
  static IniDocument ParseInCodePage(std::string_view bytes, TextCodec codec);
  // Whether the document still holds 8-bit text of its code page.
  bool InCodePage() const { return codec_ != nullptr; }

  // The value of the first matching key of the first matching section, whole,
  // trimmed and with one pair of enclosing quotes removed; nullopt when the
  // section or key is missing, or when the first matching key is a line
  // without "=".
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Changes the first matching key in place, or adds the key at the end of the
  // first matching section, or adds the section at the end of the file. Setting
  // the value a key already has changes nothing. Names and the value must not
  // hold CR or LF, a key no "=" and no leading "[" (it would read back as a
  // header).
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes the first section of exactly this name (ASCII case aside; the name
  // is not trimmed here): its header and every line up to the next. The name ""
  // stands for the lines before the first header.
  void EraseSection(std::string_view section);

  bool HasSection(std::string_view section) const;
  // Lines of the first matching section below its header (0 when missing).
  std::size_t LineCount(std::string_view section) const;
  std::size_t SectionCount() const;

  // CR LF after every line, no byte order mark: the code page's bytes while
  // InCodePage(), else UTF-8.
  std::string Serialize() const;

 private:
  // Names compare without regard to the case of ASCII letters.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  template <typename T>
  using NameMap = std::unordered_map<std::string, T, NameHash, NameEqual>;

  // A line as the file holds it: a view of the text the document was parsed
  // from, or of a text of its own once the program wrote the line. Parsing
  // copies the file once, not line by line, and a copy of the document shares
  // the texts, which never change.
  class Line {
   public:
    static Line Parsed(std::string_view text) { return Line(nullptr, text); }
    static Line Written(std::string text) {
      auto owner = std::make_shared<const std::string>(std::move(text));
      std::string_view view = *owner;
      return Line(std::move(owner), view);
    }
    operator std::string_view() const { return text_; }

   private:
    Line(std::shared_ptr<const std::string> owner, std::string_view text) : owner_(std::move(owner)), text_(text) {}
    std::shared_ptr<const std::string> owner_;  // none for a parsed line
    std::string_view text_;
  };

  struct Section {
    std::string name;         // trimmed, as written in the header
    std::vector<Line> lines;  // lines[0] is the header unless prelude
    // The blank lines at the section's end, kept apart so that a new key goes
    // in above them without moving them, however many there are.
    std::vector<Line> blankTail;
    bool prelude = false;            // the lines before the first header
    bool erased = false;
    // (hash of the key, line) of every key line in order of hash and, for one
    // hash, of line; built on the first lookup. One allocation, where a map
    // of the keys made one per key. Lines are only ever added after the last
    // non-blank line, so an entry never moves.
    mutable std::vector<std::pair<std::size_t, std::size_t>> keys;
    mutable bool keysBuilt = false;
  };
  struct LineRef {
    std::size_t section;
    std::size_t line;
  };

  // UTF-8 text as a document in a code page holds it, converted into
  // `buffer` unless it is ASCII (nullopt where the code page cannot hold it),
  // and back.
  std::optional<std::string_view> Inner(std::string_view text, std::string& buffer) const;
  std::string Outer(std::string_view text) const;
  // Turns a document in a code page into one of UTF-8 text.
  void ToUnicode();
  // The public operations on names and values as the document holds them.
  std::optional<std::string> GetText(std::string_view section, std::string_view key) const;
  void SetText(std::string_view section, std::string_view key, std::string_view value);
  void EraseText(std::string_view section);
  const Section* FindOuter(std::string_view section) const;

  std::size_t FindIndex(std::string_view section) const;  // npos when missing
  // The line of the first key of this name in the section; npos when missing.
  std::size_t FindKey(const Section& s, std::string_view trimmedKey) const;
  const Section* Find(std::string_view section) const;
  Section& AddSection(std::string name, Line header, bool prelude);
  // Moves the blank lines at the end of the last section to its blank tail.
  void SetBlankTailAside();
  void Settle();
  // Remembers a line just written for Settle() when it needs trimming later.
  void Written(std::size_t section, std::size_t line);

  // The text the document was parsed from, which parsed lines view.
  std::shared_ptr<const std::string> source_;
  std::vector<Section> sections_;
  // Lookup key -> indices of live sections with that name, in file order.
  NameMap<std::vector<std::size_t>> index_;
  // The section found last: readers ask for one section's keys in turn.
  mutable std::string lastFound_;
  mutable std::size_t lastFoundIndex_ = std::string::npos;
  // Lines the last change wrote as it was given them (a value's trailing blanks
  // kept). The profile functions rewrite the whole file on every change and
  // trim such lines then; Settle() does the same for these lines only.
  std::vector<LineRef> unsettled_;
  std::shared_ptr<const TextCodec> codec_;  // only for a document in a code page
};

}  // namespace wisplet
