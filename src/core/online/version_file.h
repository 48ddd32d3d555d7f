// The update check's version file: where it is, how its lines and values are read, and the
// verdict the update dialog shows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

inline constexpr char kVersionFileUrl[] = "http://www.ombrelune.example/version/quillomat.txt";
inline constexpr char kVersionAgent[] = "Quillomat";
// Time-outs of the fetch's own connection and reply; whatever the system does with them, the check
// ends after kVersionCheckDeadlineMs with the warning.
inline constexpr int kVersionConnectTimeoutMs = 15000;
inline constexpr int kVersionReceiveTimeoutMs = 30000;
inline constexpr int kVersionCheckDeadlineMs = 60000;
// A version file is a few hundred bytes; anything over this is not one.
inline constexpr size_t kMaxVersionFileBytes = 1 << 20;
inline constexpr char kCannotConnect[] =
    "Cannot connect to the internet.  Please check your connection.";

// Lines split at CR LF, CR or LF; a final line break does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// The value of one line: the text from the character after "CONTENT=" and its opening quote
// (found without regard to case) up to the next double quote within 255 characters; empty
// without one. Without "CONTENT=" the value starts at the line's ninth character. Positions are
// counted in UTF-16 code units.
std::string ContentValue(std::string_view line);
// The value of the last line that contains `key` (with case, anywhere in the line); empty when
// no line does.
std::string FindContentValue(const std::vector<std::string>& lines, std::string_view key);

// Before the first "." as a signed 32-bit decimal integer (an optional sign and digits, no
// blanks); 0 when it is not one or there is no ".".
int32_t MajorOf(std::string_view version);
// After the first "." as such an integer (0 when not one); without "." the whole text's value.
int32_t MinorOf(std::string_view version);

enum class UpdateVerdict { kMajor, kMinor, kLatest };
UpdateVerdict CompareVersions(std::string_view found, std::string_view current);
const char* VerdictText(UpdateVerdict verdict);

// What the update dialog shows.
struct UpdateDialogState {
  std::string current;        // lblCurrent: "You are currently using version 14.1"
  std::string version;        // lblVersion: the "xVersion" value as found
  std::string verdict;        // lblText
  std::string features;       // lblFeatures: the four feature lines, each ended by CR LF
  bool showDownload = false;  // lnkDownload and the feature lines; otherwise the short form
};

inline constexpr char kUpdateDialogCaption[] = "Check For Quillomat Update";
inline constexpr char kCurrentVersionCaption[] = "You are currently using version";
inline constexpr int kShortDialogHeight = 180;

// The dialog's contents for a fetched version file, or nothing when it names no "xVersion".
std::optional<UpdateDialogState> EvaluateVersionFile(std::string_view text,
                                                     std::string_view currentVersion);

}  // namespace quillo
