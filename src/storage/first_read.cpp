#include "storage/first_read.h"

namespace wisplet {

KeptSettings ReadKeptSettings(const IniDocument& doc) {
  KeptSettings kept;
  kept.style = ReadText(doc, kMainSection, "CurrentStyle", "Default");
  LoadSchemes(kept.schemes, doc);
  kept.notes = ReadStickers(doc);
  kept.closed = ReadClosedStickers(doc);
  return kept;
}

KeptSettings UnionWithUnreadFile(const KeptSettings& file, const KeptSettings& run, bool styleChosenInRun) {
  KeptSettings both = file;
  if (styleChosenInRun) both.style = run.style;
  both.schemes.insert(both.schemes.end(), run.schemes.begin(), run.schemes.end());
  both.notes.insert(both.notes.end(), run.notes.begin(), run.notes.end());
  both.closed = run.closed;
  for (const StickerRecord& note : file.closed)
    if (both.closed.size() < kMaxClosedNotes) both.closed.push_back(note);
  return both;
}

SaveStep DecideSave(bool readBefore, SettingsFile::ReadStatus now) {
  if (readBefore) return SaveStep::Write;
  return now == SettingsFile::ReadStatus::Failed ? SaveStep::Hold : SaveStep::TakeInFirst;
}

std::optional<IniDocument> FirstRead::Start() {
  IniDocument doc;
  done_ = ini_.Read(doc) != SettingsFile::ReadStatus::Failed;
  if (!done_) return std::nullopt;
  return doc;
}

SaveStep FirstRead::BeforeSave(IniDocument& doc) {
  if (done_) return SaveStep::Write;
  const SaveStep step = DecideSave(false, ini_.Read(doc));
  done_ = step == SaveStep::TakeInFirst;
  return step;
}

}  // namespace wisplet
