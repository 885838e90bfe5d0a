#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace radial {

// Writes contents to a new file beside path, then renames it over path: path ends up holding
// either what it held before or all of contents, never part of them. On failure the new file is
// removed and the reason comes back as text.
//
// A symbolic link stays: the file it leads to is replaced, the new file written beside that one.
// The new file keeps the old one's permission bits. The directory is synced after the rename; if
// that fails, the reason comes back although the new contents are already in place.
std::optional<std::string> replace_file(const std::string& path, std::string_view contents);

// The file of one of the tool's flags, written by replace_file; the exit status 0, or 2 with one
// line on err naming the flag, the file and the reason.
int write_flag_file(std::string_view flag, const std::string& path, std::string_view contents,
                    std::ostream& err);
// That line and status 2, where the file's contents could not be made.
int refuse_flag_file(std::string_view flag, const std::string& path, std::string_view reason,
                     std::ostream& err);

} // namespace radial
