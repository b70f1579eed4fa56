// Private profile (ini) files over whole-file reads and atomic rewrites.
// Stands in for: GetPrivateProfileStringA, WritePrivateProfileStringA.
// Not here: deleting keys or sections, listing names, the registry mapping, the 64 KiB cap.
#include "platform/profile.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace platform {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trim(const std::string& s)
{
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

// ASCII letters compare without case; a CP949 double-byte character (whose trail byte may look
// like a letter) compares exactly.
bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (static_cast<unsigned char>(x) >= 0x81 && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

// The lines of the file without their '\n' (a '\r' before it stays, so kept lines keep their
// ending); empty when it cannot be read.
std::vector<std::string> ReadLines(const std::string& file)
{
    std::vector<std::string> lines;
    const auto bytes = ReadWholeFile(file);
    if (!bytes)
        return lines;
    std::string line;
    for (uint8_t b : *bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(b));
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line (comments and lines without '=' have none).
std::optional<std::string> KeyOf(const std::string& line, std::string* value)
{
    const std::string t = Trim(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    if (value)
        *value = Trim(t.substr(eq + 1));
    return Trim(t.substr(0, eq));
}

std::string Unquote(const std::string& v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

std::optional<std::string> ProfileGetString(const std::string& file, const std::string& section,
                                            const std::string& key)
{
    const std::string wantSection = Trim(section);
    const std::string wantKey = Trim(key);
    bool inSection = false;
    for (const std::string& line : ReadLines(ResolvePath(file))) {
        if (const auto name = SectionOf(line)) {
            inSection = SameName(*name, wantSection);
            continue;
        }
        std::string value;
        if (inSection) {
            const auto name = KeyOf(line, &value);
            if (name && SameName(*name, wantKey))
                return Unquote(value);
        }
    }
    return std::nullopt;
}

bool ProfileSetString(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value)
{
    const std::string wantSection = Trim(section);
    const std::string wantKey = Trim(key);
    if (wantSection.empty() || wantKey.empty())
        return false;
    const std::string path = ResolvePath(file);
    std::vector<std::string> lines = ReadLines(path);
    // New lines follow the file's line ends: CR LF unless its first line ends in a bare LF.
    const bool crlf = lines.empty() || (!lines[0].empty() && lines[0].back() == '\r');
    const std::string eol = crlf ? "\r" : "";
    const std::string newLine = wantKey + "=" + value + eol;

    // Where the section starts (its header line) and ends (after its last non-blank line).
    size_t header = lines.size();
    size_t end = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (header == lines.size()) {
            if (name && SameName(*name, wantSection)) {
                header = i;
                end = i + 1;
            }
            continue;
        }
        if (name)
            break;
        const auto existing = KeyOf(lines[i], nullptr);
        if (existing && SameName(*existing, wantKey)) {
            lines[i] = newLine;
            end = lines.size() + 1;  // replaced: nothing to insert
            break;
        }
        if (!Trim(lines[i]).empty())
            end = i + 1;
    }
    if (header == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.push_back(eol);
        lines.push_back("[" + wantSection + "]" + eol);
        lines.push_back(newLine);
    } else if (end <= lines.size()) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), newLine);
    }

    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return WriteFileAtomic(path, text.data(), text.size());
}

}  // namespace platform
