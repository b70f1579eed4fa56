#pragma once
// Private profile (ini) files: "[section]" headers and "key=value" lines.
// Stands in for: GetPrivateProfileStringA, WritePrivateProfileStringA.
// Not here: deleting keys or sections, listing names, the registry mapping, the 64 KiB cap.
//
// Section and key names compare without regard to ASCII case and surrounding blanks; lines
// starting with ';' are comments. A read value is trimmed, and one pair of enclosing double or
// single quotes is removed.

#include <optional>
#include <string>

namespace platform {

// The value of key in section; nullopt when the file, the section or the key is missing.
std::optional<std::string> ProfileGetString(const std::string& file, const std::string& section,
                                            const std::string& key);

// Sets key=value in section: an existing key line is replaced, a new key goes after the last
// line of its section, a new section is appended. Every other line is kept as it was. The file
// (and a missing one is created) is replaced through a temporary file, so it holds either the
// old or the new content. False when it cannot be written or a name is empty.
bool ProfileSetString(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace platform
