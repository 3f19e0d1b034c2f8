// Text is UTF-8 inside and UTF-16 at the edge: characters counted as the user
// sees them, the title's limit, and the encoding a settings file keeps.
#include "model/unicode.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "storage/settings.h"
#include "storage/text_encoding.h"

using namespace wisplet;
using wisplet::testing::MemoryFile;

namespace {

const std::u16string kPair = u"\U0001F600";  // one character, two units

std::u16string Repeat(std::u16string_view s, int n) {
  std::u16string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

TEST(Unicode, TitleLimitCountsCharactersAndNeverKeepsHalfAPair) {
  const std::u16string a99 = Repeat(u"a", 99), a100 = Repeat(u"a", 100);
  struct Case {
    const char* name;
    std::u16string before, after;
    bool excess;
    std::size_t first, last;  // units of `after` to take out
  } cases[] = {
      {"typed within the limit", a99, a99 + u"b", false, 0, 0},
      {"typed at the limit", a100, a100 + u"b", true, 100, 101},
      {"typed in the middle at the limit", a100, std::u16string(u"ab") + a99, true, 1, 2},
      {"a pair is one character", a99, a99 + kPair, false, 0, 0},
      {"its first half alone fits at 99", a99, a99 + kPair.substr(0, 1), false, 0, 0},
      {"its second half completes it", a99 + kPair.substr(0, 1), a99 + kPair, false, 0, 0},
      {"a half at the limit goes", a100, a100 + kPair.substr(0, 1), true, 100, 101},
      {"a paste keeps what fits", Repeat(u"a", 98), Repeat(u"a", 49) + u"XYZVW" + Repeat(u"a", 49), true, 51, 54},
      {"a paste of pairs keeps whole pairs", a99, a99 + Repeat(kPair, 3), true, 101, 105},
      {"a paste replacing a selection", a100, Repeat(u"a", 90) + Repeat(kPair, 12), true, 110, 114},
      {"a title too long already takes nothing more", Repeat(u"a", 150), Repeat(u"a", 149) + u"b", true, 149, 150},
      {"deleting is always possible", Repeat(u"a", 150), Repeat(u"a", 149), false, 0, 0},
  };
  for (const auto& c : cases) {
    auto excess = ExcessOfEdit(c.before, c.after, 100);
    ASSERT_EQ(excess.has_value(), c.excess) << c.name;
    if (!excess) continue;
    EXPECT_EQ(excess->first, c.first) << c.name;
    EXPECT_EQ(excess->last, c.last) << c.name;
    std::u16string kept = c.after.substr(0, excess->first) + c.after.substr(excess->last);
    EXPECT_LE(CharacterCount(kept), std::max<std::size_t>(100, CharacterCount(c.before) - 1)) << c.name;
  }
}

namespace {

// UTF-8 as the system's ANSI code page (65001): everything but a lone
// surrogate has a place in it.
TextCodec Utf8Codec() {
  TextCodec codec;
  codec.Encode = [](std::u16string_view text) -> std::optional<std::string> {
    for (std::size_t i = 0; i < text.size(); ++i) {
      bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF, low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
      else if (high || low) return std::nullopt;
    }
    return Utf16ToUtf8(text);
  };
  codec.Decode = [](std::string_view bytes) { return Utf8ToUtf16(bytes); };
  codec.utf8 = true;
  return codec;
}

std::string Le(std::u16string_view units) {
  std::string out = "\xFF\xFE";
  for (char16_t u : units) out += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  return out;
}

}  // namespace

// The encoding a settings file is read and written in, with ISO 8859-1 as the
// code page or, for a system whose ANSI code page is UTF-8, as the one it used
// before. A file stays in its code page byte for byte while what it holds fits
// it; the first character that does not fit makes all of it UTF-16LE.
TEST(TIniFile, KeepsItsCodePageUntilACharacterDoesNotFit) {
  const CodePages latin1{}, utf8{Utf8Codec(), Latin1Codec()};
  const std::string ansi = "[Main]\r\nCurrentStyle=Caf\xE9\r\n[Mine]\r\nk = cr\xE8me  \r\n";
  const std::u16string ansiText = u"[Main]\r\nCurrentStyle=Caf\u00E9\r\n[Mine]\r\nk = cr\u00E8me  \r\n";
  const std::string longTitle = std::string(2046, 'y') + "\xF0\x9F\x98\x80" + std::string(3000, 'z');
  struct Case {
    const char* name;
    const CodePages& pages;
    std::string before;
    std::string mine;   // [Mine] k as read
    std::string title;  // written to [Sticker0]
    std::string after;
  } cases[] = {
      {"what fits stays 8-bit, byte for byte", latin1, ansi, "cr\xC3\xA8me", "Caf\xC3\xA9 \xC3\xBF",
       ansi + "[Sticker0]\r\nTitle=Caf\xE9 \xFF\r\n"},
      {"a character it cannot hold makes the whole file UTF-16LE", latin1, ansi, "cr\xC3\xA8me",
       "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xF0\x9F\x98\x80",
       Le(ansiText + u"[Sticker0]\r\nTitle=Za\u017C\u00F3\u0142\u0107 \U0001F600\r\n")},
      {"a long value with a pair inside, whole", latin1, "[Mine]\r\nk=" + std::string(3000, 'x') + "\r\n",
       std::string(3000, 'x'), longTitle,
       Le(u"[Mine]\r\nk=" + std::u16string(3000, u'x') + u"\r\n[Sticker0]\r\nTitle=" + std::u16string(2046, u'y') +
          kPair + std::u16string(3000, u'z') + u"\r\n")},
      {"code page UTF-8: a UTF-8 file stays UTF-8, without a mark", utf8, "[Mine]\r\nk=cr\xC3\xA8me\r\n",
       "cr\xC3\xA8me", "\xE6\x97\xA5\xE6\x9C\xAC",
       "[Mine]\r\nk=cr\xC3\xA8me\r\n[Sticker0]\r\nTitle=\xE6\x97\xA5\xE6\x9C\xAC\r\n"},
      {"code page UTF-8: a file that is not UTF-8 is read in the code page before it, and stays in it", utf8, ansi,
       "cr\xC3\xA8me", "Caf\xC3\xA9", ansi + "[Sticker0]\r\nTitle=Caf\xE9\r\n"},
      {"... until a character that code page cannot hold", utf8, ansi, "cr\xC3\xA8me", "\xE6\x97\xA5",
       Le(ansiText + u"[Sticker0]\r\nTitle=\u65E5\r\n")},
      {"code page UTF-8: a lone surrogate has no place in UTF-8", utf8, "", "<none>", "\xED\xA0\x80",
       Le(u"[Sticker0]\r\nTitle=\xD800\r\n")},
  };
  for (const auto& c : cases) {
    MemoryFile file(c.before, !c.before.empty());
    TIniFile ini(file, c.pages);
    EXPECT_EQ(ReadText(ini.Load(), "Mine", "k", "<none>"), c.mine) << c.name;
    ini.Update([&](IniDocument& doc) { WriteText(doc, "Sticker0", "Title", c.title); });
    EXPECT_TRUE(file.bytes == c.after) << c.name;
    EXPECT_EQ(ReadText(ini.Load(), "Sticker0", "Title", ""), c.title) << c.name;
  }
}
