#include "storage/merge.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

namespace wisplet {
namespace {

// Whether a field group takes the other side's value: when only the other
// side changed it, or both changed it differently and the other wrote last.
template <typename R, typename Group>
bool TakeTheirs(const R* base, const R& ours, const R& theirs, Group group, bool oursWins) {
  if (group(ours) == group(theirs)) return false;
  if (base && group(*base) == group(ours)) return true;
  if (base && group(*base) == group(theirs)) return false;
  return !oursWins;
}

std::string MarkedTitle(const std::string& title) {
  return title.ends_with(kChangedElsewhereMark) ? title : title + kChangedElsewhereMark;
}

// FNV-1a: the same digits on every platform and in every run.
std::string HashDigits(const std::string& text) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
  return digits;
}

struct NoteRules {
  using Record = StickerRecord;
  static const std::string& Key(const Record& r) { return r.ID; }
  static bool SameText(const Record& a, const Record& b) { return a.Title == b.Title && a.Memo == b.Memo; }
  // Whether `list` holds this text, as it is or as a second note of it.
  static bool Holds(const std::vector<Record>& list, const Record& r) {
    return std::any_of(list.begin(), list.end(), [&](const Record& held) {
      return held.Memo == r.Memo && (held.Title == r.Title || held.Title == MarkedTitle(r.Title));
    });
  }
  static Record Merge(const Record* b, const Record& o, const Record& t, bool oursWins) {
    Record merged = o;
    auto take = [&](auto group) {
      if (TakeTheirs(b, o, t, group, oursWins)) group(merged) = group(t);
    };
    take([](auto& n) { return std::tie(n.Title, n.Memo); });
    take([](auto& n) { return std::tie(n.Scheme); });
    take([](auto& n) { return std::tie(n.Left, n.Top, n.Width, n.Height); });
    take([](auto& n) { return std::tie(n.Active, n.OnTop, n.MinState); });
    return merged;
  }
  // The other side's version as a second note; none when `held` has it already.
  static std::optional<Record> SecondNote(const Record& t, const std::vector<Record>& held) {
    const Record second = SecondNoteOf(t);
    for (const Record& r : held)
      if (r.ID == second.ID && SameText(r, second)) return std::nullopt;
    return second;
  }
};

struct SchemeRules {
  using Record = TColorScheme;
  static const std::string& Key(const Record& r) { return r.Name; }
  static bool SameText(const Record& a, const Record& b) { return a == b; }
  static bool Holds(const std::vector<Record>& list, const Record& r) {
    return std::find(list.begin(), list.end(), r) != list.end();
  }
  static Record Merge(const Record* b, const Record& o, const Record& t, bool oursWins) {
    return TakeTheirs(b, o, t, [](auto& s) { return std::tie(s); }, oursWins) ? t : o;
  }
  // Under the first marked name that is free or already holds these values.
  static std::optional<Record> SecondNote(const Record& t, const std::vector<Record>& held) {
    for (int n = 1;; ++n) {
      Record second = t;
      std::string mark = " (changed elsewhere";
      if (n > 1) mark.append(" ").append(std::to_string(n));
      second.Name = t.Name + mark + ")";
      auto same = std::find_if(held.begin(), held.end(), [&](const Record& r) { return r.Name == second.Name; });
      if (same == held.end()) return second;
      if (*same == second) return std::nullopt;
    }
  }
};

enum class Tier { Equal, SameText, InOrder };

// Pairs records of `a` that are free with free records of `b` sharing their
// key which, by tier, are equal, hold the same text, or simply come next in
// order; records it pairs get their partner's index in aToB.
template <typename Rules, typename R = typename Rules::Record>
void PairTier(const std::vector<R>& a, const std::vector<R>& b, const std::vector<char>& aFree,
              const std::vector<char>& bFree, Tier tier, std::vector<int>& aToB) {
  std::unordered_map<std::string, std::vector<std::size_t>> byKey;
  for (std::size_t j = 0; j < b.size(); ++j)
    if (bFree[j]) byKey[Rules::Key(b[j])].push_back(j);
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto candidates = byKey.find(Rules::Key(a[i]));
    if (!aFree[i] || candidates == byKey.end()) continue;
    for (std::size_t& j : candidates->second) {
      if (j == SIZE_MAX || (tier == Tier::Equal && !(a[i] == b[j])) ||
          (tier == Tier::SameText && !Rules::SameText(a[i], b[j])))
        continue;
      aToB[i] = static_cast<int>(j);
      j = SIZE_MAX;  // taken
      break;
    }
  }
}

// The inverse of a pairing: for each of `size` records, the index paired to it.
std::vector<int> Inverse(const std::vector<int>& partner, std::size_t size) {
  std::vector<int> inverse(size, -1);
  for (std::size_t i = 0; i < partner.size(); ++i)
    if (partner[i] >= 0) inverse[static_cast<std::size_t>(partner[i])] = static_cast<int>(i);
  return inverse;
}

// The records without a partner in either pairing (a partner index per record).
std::vector<char> Free(const std::vector<int>& first, const std::vector<int>& second = {}) {
  std::vector<char> unpaired(first.size());
  for (std::size_t i = 0; i < first.size(); ++i) unpaired[i] = first[i] < 0 && (second.empty() || second[i] < 0);
  return unpaired;
}

// How the records of the three sides correspond: ours and theirs each to a
// base record, or to each other where the base has none.
struct Correspondence {
  std::vector<int> oursBase, theirsBase, oursTheirs;
};

template <typename Rules, typename R = typename Rules::Record>
Correspondence Correspond(const std::vector<R>& base, const std::vector<R>& ours, const std::vector<R>& theirs) {
  Correspondence c{std::vector<int>(ours.size(), -1), std::vector<int>(theirs.size(), -1),
                   std::vector<int>(ours.size(), -1)};
  auto oursFree = [&] { return Free(c.oursBase, c.oursTheirs); };
  auto theirsFree = [&] { return Free(c.theirsBase, Inverse(c.oursTheirs, theirs.size())); };
  auto withBase = [&](Tier tier) {
    PairTier<Rules>(ours, base, oursFree(), Free(Inverse(c.oursBase, base.size())), tier, c.oursBase);
    PairTier<Rules>(theirs, base, theirsFree(), Free(Inverse(c.theirsBase, base.size())), tier, c.theirsBase);
  };
  auto withEachOther = [&](Tier tier) { PairTier<Rules>(ours, theirs, oursFree(), theirsFree(), tier, c.oursTheirs); };
  // Records that agree on both sides are one record, and take a base record
  // in order before a record that only one side holds so can: otherwise order
  // alone could pair them with a base record the other side closed.
  withBase(Tier::Equal);
  withBase(Tier::SameText);
  withEachOther(Tier::Equal);
  withEachOther(Tier::SameText);
  std::vector<char> agreed(ours.size());
  for (std::size_t j = 0; j < ours.size(); ++j) agreed[j] = c.oursBase[j] < 0 && c.oursTheirs[j] >= 0;
  PairTier<Rules>(ours, base, agreed, Free(Inverse(c.oursBase, base.size()), Inverse(c.theirsBase, base.size())),
                  Tier::InOrder, c.oursBase);
  for (std::size_t j = 0; j < ours.size(); ++j)
    if (agreed[j] && c.oursBase[j] >= 0) c.theirsBase[static_cast<std::size_t>(c.oursTheirs[j])] = c.oursBase[j];
  withBase(Tier::InOrder);
  withEachOther(Tier::InOrder);
  return c;
}

template <typename R>
struct MergedList {
  std::vector<R> records;
  std::vector<int> origin;  // index in ours, or -1
  std::vector<std::size_t> closedElsewhere;
  void Add(const R& r, int from) {
    records.push_back(r);
    origin.push_back(from);
  }
};

// Texts changed on both sides to different texts.
template <typename Rules, typename R>
bool TextConflict(const R* base, const R& ours, const R& theirs) {
  return !Rules::SameText(ours, theirs) &&
         !(base && (Rules::SameText(*base, ours) || Rules::SameText(*base, theirs)));
}

template <typename Rules, typename R = typename Rules::Record>
MergedList<R> MergeTrusted(const std::vector<R>& base, const std::vector<R>& ours, const std::vector<R>& theirs,
                           bool oursWins) {
  const Correspondence c = Correspond<Rules>(base, ours, theirs);
  const std::vector<int>& baseOfOurs = c.oursBase;
  const std::vector<int>& baseOfTheirs = c.theirsBase;
  const std::vector<int> theirsOfBase = Inverse(baseOfTheirs, base.size());
  std::vector<int> theirsOfOurs = c.oursTheirs;
  for (std::size_t j = 0; j < ours.size(); ++j)
    if (baseOfOurs[j] >= 0) theirsOfOurs[j] = theirsOfBase[static_cast<std::size_t>(baseOfOurs[j])];
  const std::vector<int> oursOfTheirs = Inverse(theirsOfOurs, theirs.size());

  MergedList<R> out;
  std::vector<R> seconds;
  auto fromOurs = [&](std::size_t j) {
    const R* b = baseOfOurs[j] >= 0 ? &base[static_cast<std::size_t>(baseOfOurs[j])] : nullptr;
    const R& o = ours[j];
    if (theirsOfOurs[j] < 0) {
      if (b && Rules::SameText(*b, o))
        out.closedElsewhere.push_back(j);
      else
        out.Add(o, static_cast<int>(j));
      return;
    }
    const R& t = theirs[static_cast<std::size_t>(theirsOfOurs[j])];
    const bool conflict = TextConflict<Rules>(b, o, t);
    if (conflict) seconds.push_back(t);
    out.Add(conflict ? o : Rules::Merge(b, o, t, oursWins), static_cast<int>(j));
  };
  auto fromTheirs = [&](std::size_t k) {  // one we lack: added there, or closed here
    const int b = baseOfTheirs[k];
    if (b >= 0 && Rules::SameText(base[static_cast<std::size_t>(b)], theirs[k])) return;
    if (Rules::SecondNote(theirs[k], ours)) out.Add(theirs[k], -1);  // unless we hold it as a second note
  };
  if (oursWins) {
    for (std::size_t j = 0; j < ours.size(); ++j) fromOurs(j);
    for (std::size_t k = 0; k < theirs.size(); ++k)
      if (oursOfTheirs[k] < 0) fromTheirs(k);
  } else {
    for (std::size_t k = 0; k < theirs.size(); ++k) {
      if (oursOfTheirs[k] >= 0)
        fromOurs(static_cast<std::size_t>(oursOfTheirs[k]));
      else
        fromTheirs(k);
    }
    for (std::size_t j = 0; j < ours.size(); ++j)
      if (theirsOfOurs[j] < 0) fromOurs(j);
  }
  for (const R& t : seconds)
    if (auto second = Rules::SecondNote(t, out.records)) out.Add(*second, -1);
  return out;
}

// Theirs was not written from our base: it adds what we never held, and
// takes nothing away. A text the base held we either kept, changed or closed.
template <typename Rules, typename R = typename Rules::Record>
MergedList<R> MergeUntrusted(const std::vector<R>& base, const std::vector<R>& ours, const std::vector<R>& theirs,
                             const std::vector<R>& closedByUs) {
  MergedList<R> out;
  for (std::size_t j = 0; j < ours.size(); ++j) out.Add(ours[j], static_cast<int>(j));
  std::set<std::string> oursKeys;
  for (const R& o : ours) oursKeys.insert(Rules::Key(o));
  std::vector<R> seconds;
  for (const R& t : theirs) {
    if (Rules::Holds(ours, t) || Rules::Holds(closedByUs, t) || Rules::Holds(base, t)) continue;
    if (oursKeys.count(Rules::Key(t)))
      seconds.push_back(t);  // another version of a note we hold
    else
      out.Add(t, -1);
  }
  for (const R& t : seconds)
    if (auto second = Rules::SecondNote(t, out.records)) out.Add(*second, -1);
  return out;
}

using Notes = std::vector<StickerRecord>;

// Recently closed notes as a list of whole records: the primary side's list
// without what the other removed, the other's new entries in front of it, and
// the notes closed by this merge first of all.
Notes MergeClosed(const Notes& base, const Notes& primary, const Notes& secondary, bool secondaryRemoves,
                  const Notes& closedNow) {
  auto pairEqual = [](const Notes& a, const Notes& b, const std::vector<char>& aFree, const std::vector<char>& bFree) {
    std::vector<int> aToB(a.size(), -1);
    PairTier<NoteRules>(a, b, aFree, bFree, Tier::Equal, aToB);
    return aToB;
  };
  auto all = [](const Notes& list) { return std::vector<char>(list.size(), 1); };
  const std::vector<int> primaryBase = pairEqual(primary, base, all(primary), all(base));
  const std::vector<int> secondaryBase = pairEqual(secondary, base, all(secondary), all(base));
  const std::vector<int> shared = pairEqual(secondary, primary, Free(secondaryBase), Free(primaryBase));
  const std::vector<int> baseSecondary = Inverse(secondaryBase, base.size());
  Notes list;
  for (std::size_t s = 0; s < secondary.size(); ++s)
    if (secondaryBase[s] < 0 && shared[s] < 0) list.push_back(secondary[s]);
  for (std::size_t p = 0; p < primary.size(); ++p) {
    const int b = primaryBase[p];
    if (!secondaryRemoves || b < 0 || baseSecondary[static_cast<std::size_t>(b)] >= 0) list.push_back(primary[p]);
  }
  Notes front;
  for (const StickerRecord& n : closedNow)
    if (!NoteRules::Holds(list, n)) front.push_back(n);
  list.insert(list.begin(), front.begin(), front.end());
  // The list never grows past the longer side's or kClosedNotesKept.
  list.resize(std::min(list.size(), std::max({kClosedNotesKept, primary.size(), secondary.size()})));
  return list;
}

std::map<std::string, std::string> MergeMain(const std::map<std::string, std::string>& base,
                                             const std::map<std::string, std::string>& ours,
                                             const std::map<std::string, std::string>& theirs, bool oursWins) {
  std::set<std::string> keys;
  for (const auto* side : {&base, &ours, &theirs})
    for (const auto& entry : *side) keys.insert(entry.first);
  auto valueOf = [](const std::map<std::string, std::string>& side, const std::string& key) {
    auto it = side.find(key);
    return it == side.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  std::map<std::string, std::string> merged;
  for (const std::string& key : keys) {
    const auto b = valueOf(base, key), o = valueOf(ours, key), t = valueOf(theirs, key);
    const auto& value = TakeTheirs(&b, o, t, [](auto& v) { return std::tie(v); }, oursWins) ? t : o;
    if (value) merged[key] = *value;
  }
  return merged;
}

bool HoldsAny(const SettingsContent& content) { return !content.Notes.empty() || !content.Schemes.empty(); }

}  // namespace

StickerRecord SecondNoteOf(const StickerRecord& theirs) {
  StickerRecord second = theirs;
  second.Title = MarkedTitle(theirs.Title);
  second.ID = theirs.ID + "-" + HashDigits(theirs.Title + '\n' + theirs.Memo);
  return second;
}

MergeResult MergeSettings(const SettingsContent& base, const SettingsContent& ours, const SettingsContent& theirs,
                          MergeKind kind) {
  const bool trusted = kind != MergeKind::ConflictCopy && !theirs.Damaged;
  const bool oursWins = kind != MergeKind::Incoming;
  MergeResult result;
  SettingsContent& merged = result.merged;

  auto notes = trusted ? MergeTrusted<NoteRules>(base.Notes, ours.Notes, theirs.Notes, oursWins)
                       : MergeUntrusted<NoteRules>(base.Notes, ours.Notes, theirs.Notes, ours.Closed);
  auto schemes = trusted ? MergeTrusted<SchemeRules>(base.Schemes, ours.Schemes, theirs.Schemes, oursWins)
                         : MergeUntrusted<SchemeRules>(base.Schemes, ours.Schemes, theirs.Schemes, {});
  merged.Notes = std::move(notes.records);
  result.notesOrigin = std::move(notes.origin);
  result.closedElsewhere = std::move(notes.closedElsewhere);
  merged.Schemes = std::move(schemes.records);
  merged.Main = trusted ? MergeMain(base.Main, ours.Main, theirs.Main, oursWins) : ours.Main;

  Notes closedNow;
  for (std::size_t j : result.closedElsewhere) closedNow.push_back(ours.Notes[j]);
  merged.Closed = oursWins || !trusted ? MergeClosed(base.Closed, ours.Closed, theirs.Closed, trusted, closedNow)
                                       : MergeClosed(base.Closed, theirs.Closed, ours.Closed, true, closedNow);

  result.theirsDamaged = theirs.Damaged && (HoldsAny(base) || HoldsAny(theirs));
  result.sameAsTheirs = merged == theirs;  // never for a damaged file: merged is whole
  result.sameAsOurs = merged == ours;
  return result;
}

}  // namespace wisplet
