#include "storage/merge.h"

#include <gtest/gtest.h>

#include <sstream>

#include "storage/conflict_copy.h"

using namespace wisplet;

namespace {

const std::string kMark = kChangedElsewhereMark;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// A note: title[:body][@left][^ on top]; "/" in the body breaks a line, "*"
// after the title marks a second note. Its ID is the title without the mark.
StickerRecord Note(std::string token) {
  StickerRecord n;
  if ((n.OnTop = token.ends_with('^'))) token.pop_back();
  if (auto at = token.find('@'); at != std::string::npos) n.Left = std::stoi(token.substr(at + 1)), token.erase(at);
  if (auto colon = token.find(':'); colon != std::string::npos)
    n.Memo = Replaced(token.substr(colon + 1), "/", "\r\n"), token.erase(colon);
  n.ID = token.ends_with('*') ? token.substr(0, token.size() - 1) : token;
  n.Title = token.ends_with('*') ? n.ID + kMark : token;
  return n;
}

// Notes, "$name[:title color]" schemes, "style=..." and "~note" closed notes.
SettingsContent Content(const std::string& text) {
  SettingsContent c;
  c.Main = MainSettingDefaults();
  std::istringstream tokens(text);
  for (std::string t; tokens >> t;) {
    if (t.starts_with("style=")) {
      c.Main["CurrentStyle"] = t.substr(6);
    } else if (t.starts_with('~')) {
      c.Closed.push_back(Note(t.substr(1)));
    } else if (!t.starts_with('$')) {
      c.Notes.push_back(Note(t));
    } else {
      TColorScheme s;
      s.Name = Replaced(t.substr(1, t.find(':') - 1), "*", kMark);
      if (t.find(':') != std::string::npos) s.TitleColor = std::stoul(t.substr(t.find(':') + 1));
      c.Schemes.push_back(s);
    }
  }
  return c;
}

// A side as read from its file: written from the notation, or raw file text
// ("[..." with "|" for line breaks, "^@" for NUL, or "<empty>").
SettingsContent Side(const std::string& text) {
  if (text == "<empty>" || text.starts_with('[') || text.starts_with("^@"))
    return ReadSettingsContent(IniDocument::Parse(Replaced(Replaced(text, "|", "\r\n"), "^@", std::string(1, '\0'))));
  IniDocument doc;
  WriteSettingsContent(Content(text), doc);
  SettingsContent read = ReadSettingsContent(IniDocument::Parse(doc.Serialize()));
  read.Closed = Content(text).Closed;  // written by the code that owns those sections
  return read;
}

std::string Token(const StickerRecord& n) {
  std::string t = Replaced(n.Title, kMark, "*");
  if (!n.Memo.empty()) t.append(":").append(Replaced(n.Memo, "\r\n", "/"));
  if (n.Left != 1) t.append("@").append(std::to_string(n.Left));
  return n.OnTop ? t + "^" : t;
}

// The merged content in the notation, "+" before a note new to us.
std::string Print(const MergeResult& r) {
  std::string out;
  auto add = [&](std::string_view tag, const std::string& text) { out.append(" ").append(tag).append(text); };
  for (std::size_t i = 0; i < r.merged.Notes.size(); ++i)
    add(r.notesOrigin[i] < 0 ? "+" : "", Token(r.merged.Notes[i]));
  for (const auto& s : r.merged.Schemes) {
    std::string token = Replaced(s.Name, kMark, "*");
    if (s.TitleColor) token.append(":").append(std::to_string(s.TitleColor));
    add("$", token);
  }
  if (r.merged.Main.at("CurrentStyle") != "Default") add("style=", r.merged.Main.at("CurrentStyle"));
  for (const auto& n : r.merged.Closed) add("~", Token(n));
  if (r.theirsDamaged) add("!damaged", "");
  return out.empty() ? out : out.substr(1);
}

bool HoldsText(const std::vector<StickerRecord>& list, const StickerRecord& n) {
  for (const auto& held : list)
    if (held.Title == n.Title && held.Memo == n.Memo) return true;
  return false;
}

std::string Repeat(const std::string& token, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (i ? " " : "") + token;
  return out;
}

}  // namespace

TEST(MergeSettings, Table) {
  constexpr auto S = MergeKind::Save, I = MergeKind::Incoming, C = MergeKind::ConflictCopy;
  struct Case {
    MergeKind kind;
    std::string base, ours, theirs, merged;
  } cases[] = {
      // Another program added, moved and closed a note while we ran.
      {I, "a b c", "a b c", "a@5 c d", "a@5 c +d ~b"},
      // Added, changed, moved on either side or both.
      {S, "a b", "a b", "a b c", "a b +c"},
      {S, "a", "a b", "a c", "a b +c"},
      {I, "a", "a b", "a c", "a +c b"},  // the order of the last writer
      {S, "a:x b", "a:x b", "a:y b@5", "a:y b@5"},
      {S, "a:x", "a:z", "a:x@5^", "a:z@5^"},  // field groups merge apart
      {S, "a:x", "a:y", "a:z", "a:y +a*:z"},
      {I, "a:x", "a:y", "a:z@5", "a:y +a*:z@5"},
      {S, "a:x", "a:y", "a:y@5", "a:y@5"},
      {I, "a:x", "a:y@5", "a:y", "a:y@5"},  // the same text on both sides, moved here only
      {S, "a", "a@5", "a@9", "a@5"},  // moved on both: not doubled, the last writer's place
      {I, "a", "a@5", "a@9", "a@9"},
      // Closed on either side or both.
      {S, "a b", "a@5 b", "b", "b ~a@5"},
      {S, "a b", "a@5 b", "b ~a", "b ~a"},
      {S, "a b", "a:x b", "b", "a:x b"},
      {S, "a b", "b ~a", "a@5 b", "b ~a"},
      {S, "a b", "b ~a", "a:x b", "b +a:x ~a"},
      {I, "a b", "b ~a", "a:x b", "+a:x b ~a"},
      {S, "a b", "b ~a", "b ~a", "b ~a"},
      {S, "a b", "a b", "", "~a ~b"},
      // Notes sharing an ID pair with the base's equal ones, then same texts,
      // then agreeing on both sides with each other, then in order.
      {S, "a:x a:y", "a:x a:y", "a:y", "a:y ~a:x"},
      {S, "a:x a:x@5", "a:x a:x@5", "a:x@5", "a:x@5 ~a:x"},
      {S, "a:x a:y", "a:z a:y", "a:y@5", "a:z a:y@5"},
      {S, "", "a:x", "a:x", "a:x"},
      {S, "", "a:x", "a:y", "a:x +a*:y"},
      {S, "a:p", "~a:p", "a:g a:p", "+a:g ~a:p"},
      // Schemes by name; main settings per key.
      {S, "$Y:1 $B", "$Y:2 $B", "$Y:3 $G", "$Y:2 $G $Y*:3"},
      {S, "$Y:1 $B:1", "$B:2", "$Y:3 $B:1", "$B:2 $Y:3"},
      {S, "$Y:1", "$Y:2 $Y*:7", "$Y:3", "$Y:2 $Y*:7 $Y (changed elsewhere 2):3"},
      {S, "", "", "style=XP", "style=XP"},
      {S, "", "style=O", "style=XP", "style=O"},
      {I, "", "style=O", "style=XP", "style=XP"},
      // Recently closed: added on either side kept, removed on either side gone.
      {S, "~p ~q", "~r ~q", "~s ~p ~q", "~s ~r ~q"},
      {I, "~p ~q", "~r ~q", "~s ~p ~q", "~r ~s ~q"},
      {S, "a " + Repeat("~c", 20), "a " + Repeat("~c", 20), Repeat("~c", 20), "~a " + Repeat("~c", 19)},
      // A damaged or emptied file takes nothing away and overwrites nothing.
      {S, "a b", "a b", "<empty>", "a b !damaged"},
      {S, "<empty>", "a", "<empty>", "a"},  // no file yet
      {S, "a b", "a b", "^@^@^@^@", "a b !damaged"},
      {S, "a", "a", "[Main]|StickerCount=0|^@", "a !damaged"},
      {S, "a b c", "a b c", "[Main]|StickerCount=3|[Sticker0]|ID=a|Title=a|[Sticker1]|ID=d|Title=d",
       "a b c +d !damaged"},
      {S, "a:1/2/3", "a:1/2/3", "[Main]|StickerCount=1|[Sticker0]|ID=a|Title=a|MemoLineCount=3|MemoLine0=>1",
       "a:1/2/3 +a*:1// !damaged"},
      {S, "a b", "a b", "[Main]|StickerCount=1|[Sticker0]|ID=a|Title=a|[Sticker1]|ID=b|Title=b", "a b !damaged"},
      // A conflict copy adds only what we do not hold.
      {C, "a:x b", "a:y c", "a:z b d", "a:y c +d +a*:z"},
      {C, "a:x", "a:y", "a:x", "a:y"},
      {C, "a:x", "a:y a*:z", "a:z", "a:y a*:z"},
      {C, "a:x", "", "a:q", "+a:q"},
      {C, "", "b ~a:x", "a:x b", "b ~a:x"},
      {C, "$Y:1 style=O", "$Y:2 style=O", "$Y:3 style=XP", "$Y:2 $Y*:3 style=O"},
      {C, "a", "a", "<empty>", "a !damaged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base + " | " + c.ours + " | " + c.theirs);
    const SettingsContent base = Side(c.base), ours = Side(c.ours), theirs = Side(c.theirs);
    const MergeResult r = MergeSettings(base, ours, theirs, c.kind);
    EXPECT_EQ(Print(r), c.merged);
    for (const auto& n : ours.Notes)  // nothing written here is lost
      EXPECT_TRUE(HoldsText(base.Notes, n) || HoldsText(r.merged.Notes, n) || HoldsText(r.merged.Closed, n));
    // Each of our notes (a window) is continued by one merged note, or closed.
    std::vector<int> fate(ours.Notes.size());
    for (std::size_t i = 0; i < r.notesOrigin.size(); ++i) {
      if (r.notesOrigin[i] < 0) continue;
      ++fate[r.notesOrigin[i]];
      EXPECT_EQ(ours.Notes[r.notesOrigin[i]].ID, r.merged.Notes[i].ID);
    }
    for (std::size_t j : r.closedElsewhere) ++fate[j];
    EXPECT_EQ(fate, std::vector<int>(ours.Notes.size(), 1));
    // Merging the result again (a save that failed, a second notification) changes nothing.
    const MergeResult again = MergeSettings(base, r.merged, theirs, c.kind);
    EXPECT_EQ(again.merged, r.merged);
    EXPECT_TRUE(again.sameAsOurs);
    // The PC that wrote theirs, merging the file we write, holds what we hold
    // and has nothing to write back.
    if (c.kind != C && !theirs.Damaged) {
      const MergeResult there = MergeSettings(theirs, theirs, r.merged, I);
      EXPECT_EQ(there.merged, r.merged);
      EXPECT_TRUE(there.sameAsTheirs);
    }
  }
}

TEST(IsConflictCopyName, ByShape) {
  struct Case {
    const char* name;
    bool copy;
  } cases[] = {
      {"Wisplet (Laptop's conflicted copy).ini", true},
      {"wisplet (Laptop's Conflicted Copy 2026-12-07).INI", true},
      {"Wisplet.sync-conflict-20261207-101500-ABCDEFG.ini", true},
      {"Wisplet-PC2.ini", true},
      {"Wisplet-DESKTOP-7QK2M1.ini", true},
      {"Wisplet-PC2 (Laptop's conflicted copy (2)).ini", true},
      {"Wisplet.ini", false},
      {"Wisplet.ini.recovery", false},
      {"Wisplet-PC2.ini.merged", false},
      {"Wisplet.ini.0123456789ABCDEF.recovery", false},
      {"Wisplet-PC2.tmp", false},
      {"Wisplet.ini.bak", false},
      {"Wisplet-.ini", false},
      {"Wisplet ().ini", false},
      {"Wisplet (copy.ini", false},
      {"Wisplet-PC 2.ini", false},
      {"Wisplet.sync-conflict-.ini", false},
      {"WispletX.ini", false},
      {"Other-PC2.ini", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsConflictCopyName("Wisplet.ini", c.name), c.copy) << c.name;
  EXPECT_TRUE(IsConflictCopyName("Notes.ini", "Notes-PC2.ini"));
}
