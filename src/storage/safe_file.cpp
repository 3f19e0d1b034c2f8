#include "storage/safe_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace wisplet {
namespace {

constexpr std::string_view kTrailerStart = "\r\nWisplet recovery file ";

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t h = 14695981039346656037ull) {
  for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

std::string Hex(std::uint64_t v) {
  char text[17] = {};
  std::to_chars(text, text + 16, v, 16);
  std::string s(text);
  return std::string(16 - s.size(), '0') + s;
}

std::uint64_t Checksum(std::string_view written, std::string_view replaced) {
  return Fnv1a(replaced, Fnv1a(written));
}

// Reads "<number> " from the front of `text`.
template <typename T>
bool TakeNumber(std::string_view& text, T& value, int base = 10) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

bool TakeText(std::string_view& text, std::string_view expected) {
  if (text.substr(0, expected.size()) != expected) return false;
  text.remove_prefix(expected.size());
  return true;
}

}  // namespace

std::string FormatRecovery(std::string_view written, std::string_view replaced) {
  std::string out;
  out.reserve(written.size() + replaced.size() + 80);
  out.append(written).append(replaced).append(kTrailerStart);
  out += std::to_string(written.size()) + " " + std::to_string(replaced.size()) + " " +
         Hex(Checksum(written, replaced)) + "\r\n";
  return out;
}

std::optional<Recovery> ParseRecovery(std::string_view file) {
  std::size_t at = file.rfind(kTrailerStart);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view trailer = file.substr(at + kTrailerStart.size());
  std::size_t writtenSize = 0, replacedSize = 0;
  std::uint64_t checksum = 0;
  if (!TakeNumber(trailer, writtenSize) || !TakeText(trailer, " ") || !TakeNumber(trailer, replacedSize) ||
      !TakeText(trailer, " ") || !TakeNumber(trailer, checksum, 16) || trailer != "\r\n")
    return std::nullopt;
  if (writtenSize > at || replacedSize != at - writtenSize) return std::nullopt;
  Recovery r{std::string(file.substr(0, writtenSize)), std::string(file.substr(writtenSize, replacedSize))};
  if (Checksum(r.written, r.replaced) != checksum) return std::nullopt;
  return r;
}

bool RecoveryWins(const Recovery& recovery, const std::optional<std::string>& settings) {
  if (!settings) return true;  // nothing newer to keep
  const std::string& now = *settings;
  const std::string& written = recovery.written;
  const std::string& replaced = recovery.replaced;
  if (now == written || now.size() > std::max(written.size(), replaced.size())) return false;
  for (std::size_t i = 0; i < now.size(); ++i) {
    bool fromWritten = i < written.size() && now[i] == written[i];
    bool fromReplaced = i < replaced.size() && now[i] == replaced[i];
    if (!fromWritten && !fromReplaced) return false;
  }
  return true;
}

std::vector<std::string> RecoveryPaths(const std::string& path, const std::string& tempFolder) {
  std::size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string folded = path;  // Windows paths name the same file in any case
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  std::vector<std::string> paths = {path + ".recovery"};
  if (!tempFolder.empty()) paths.push_back(tempFolder + name + "." + Hex(Fnv1a(folded)) + ".recovery");
  return paths;
}

SafeSettingsFile::SafeSettingsFile(FileOps& ops, std::string path, std::vector<std::string> recoveryPaths)
    : ops_(ops), path_(std::move(path)), recoveryPaths_(std::move(recoveryPaths)) {}

SettingsFile::ReadStatus SafeSettingsFile::Read(std::string& bytes) {
  bytes.clear();
  std::string now;
  FileOps::Result result = ops_.Read(path_, now);
  if (result != FileOps::Result::Ok && result != FileOps::Result::Missing) return ReadStatus::Failed;
  std::optional<std::string> settings;
  if (result == FileOps::Result::Ok) settings = std::move(now);
  for (const std::string& recoveryPath : recoveryPaths_) {
    std::string text;
    if (ops_.Read(recoveryPath, text) != FileOps::Result::Ok) continue;
    std::optional<Recovery> recovery = ParseRecovery(text);
    if (recovery && RecoveryWins(*recovery, settings)) {
      bytes = std::move(recovery->written);
      return ReadStatus::Recovered;
    }
  }
  if (!settings) return ReadStatus::Missing;
  bytes = std::move(*settings);
  return ReadStatus::Ok;
}

bool SafeSettingsFile::Replace(const std::string& bytes) {
  FileOps::Result result = ops_.Replace(path_, bytes);
  if (result == FileOps::Result::Refused) return RewriteInPlace(bytes);
  if (result != FileOps::Result::Ok) return false;
  RemoveRecoveryFiles();
  return true;
}

bool SafeSettingsFile::RewriteInPlace(const std::string& bytes) {
  // Only a file that exists can be rewritten; one that cannot be created is
  // reported as any other failed save.
  std::string replaced;
  if (ops_.Read(path_, replaced) != FileOps::Result::Ok) return false;
  const std::string record = FormatRecovery(bytes, replaced);
  // The recovery file is written once the settings file is open for writing,
  // so that a refused rewrite leaves none behind.
  auto writeRecovery = [&] {
    return std::any_of(recoveryPaths_.begin(), recoveryPaths_.end(), [&](const std::string& recoveryPath) {
      return ops_.Replace(recoveryPath, record) == FileOps::Result::Ok;
    });
  };
  if (ops_.Rewrite(path_, bytes, writeRecovery) != FileOps::Result::Ok) {
    // Refused: nothing was written, and no recovery file made. Failed: the
    // file may be cut short; the recovery file stays, and the next read takes
    // what was being written from it.
    return false;
  }
  RemoveRecoveryFiles();
  return true;
}

void SafeSettingsFile::RemoveRecoveryFiles() {
  for (const std::string& recoveryPath : recoveryPaths_) ops_.Remove(recoveryPath);
}

}  // namespace wisplet
