// Reading the version file: lines, values, version numbers and the verdict.
#include "core/online/version_file.h"

#include "core/util/numbers.h"
#include "core/util/utf.h"

namespace quillo {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

std::string ContentValue(std::string_view line) {
  static constexpr std::u16string_view kMarker = u"CONTENT=";
  const std::u16string units = Utf8ToUtf16(line);
  std::u16string upper = units;
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  const size_t found = upper.find(kMarker);
  // 1-based position of the marker, 0 when absent; the value starts at 1-based p + 9.
  const size_t p = found == std::u16string::npos ? 0 : found + 1;
  const size_t start = p + 8;
  if (start >= units.size()) return {};
  const std::u16string_view window = std::u16string_view(units).substr(start, 255);
  const size_t quote = window.find(u'"');
  if (quote == std::u16string_view::npos) return {};
  return Utf16ToUtf8(window.substr(0, quote));
}

std::string FindContentValue(const std::vector<std::string>& lines, std::string_view key) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->find(key) != std::string::npos) return ContentValue(*it);
  return {};
}

namespace {

// A version part is a sign and digits, nothing else: the store's reader forgives blanks around a
// number, but " 15" in a version file is not the number 15.
int32_t VersionPart(std::string_view text) {
  for (const char c : text)
    if (c != '+' && c != '-' && (c < '0' || c > '9')) return 0;
  return ParseInt(text).value_or(0);
}

}  // namespace

int32_t MajorOf(std::string_view version) {
  const size_t dot = version.find('.');
  if (dot == std::string_view::npos) return 0;
  return VersionPart(version.substr(0, dot));
}

int32_t MinorOf(std::string_view version) {
  const size_t dot = version.find('.');
  const std::string_view minor = dot == std::string_view::npos ? version : version.substr(dot + 1);
  return VersionPart(minor);
}

UpdateVerdict CompareVersions(std::string_view found, std::string_view current) {
  const int32_t newMajor = MajorOf(found), newMinor = MinorOf(found);
  const int32_t curMajor = MajorOf(current), curMinor = MinorOf(current);
  if (newMajor > curMajor) return UpdateVerdict::kMajor;
  if (newMajor == curMajor && newMinor > curMinor) return UpdateVerdict::kMinor;
  return UpdateVerdict::kLatest;
}

const char* VerdictText(UpdateVerdict verdict) {
  switch (verdict) {
    case UpdateVerdict::kMajor:
      return "Major upgrade found";
    case UpdateVerdict::kMinor:
      return "Minor upgrade found";
    case UpdateVerdict::kLatest:
      break;
  }
  return "You are already using the latest version.";
}

std::optional<UpdateDialogState> EvaluateVersionFile(std::string_view text,
                                                     std::string_view currentVersion) {
  const std::vector<std::string> lines = SplitLines(text);
  const std::string found = FindContentValue(lines, "xVersion");
  if (found.empty()) return std::nullopt;
  const UpdateVerdict verdict = CompareVersions(found, currentVersion);
  UpdateDialogState d;
  d.current = std::string(kCurrentVersionCaption) + " " + std::string(currentVersion);
  d.version = found;
  d.verdict = VerdictText(verdict);
  for (const char* key : {"whatsnew1", "whatsnew2", "whatsnew3", "whatsnew4"})
    d.features += FindContentValue(lines, key) + "\r\n";
  d.showDownload = verdict != UpdateVerdict::kLatest;
  return d;
}

}  // namespace quillo
