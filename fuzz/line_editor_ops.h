// Drives a line editor from a byte stream (the fuzz target and its corpus replay share it) and
// checks after every step that no double-byte character is split and the limit holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/line_editor.h"

namespace line_editor_fuzz {

inline bool IsLead(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}
inline bool IsTrail(uint8_t b)
{
    return b >= 0x41 && b <= 0xFE;
}

// Empty when the editor is sound, else what is wrong.
inline std::string Check(const platform::LineEditor& ed)
{
    const std::string& t = ed.Text();
    if (t.size() > ed.Limit())
        return "text longer than the limit";
    bool anchorOk = ed.SelStart() == t.size(), caretOk = ed.Caret() == t.size(),
         endOk = ed.SelEnd() == t.size();
    for (size_t i = 0; i < t.size();) {
        if (i == ed.SelStart())
            anchorOk = true;
        if (i == ed.SelEnd())
            endOk = true;
        if (i == ed.Caret())
            caretOk = true;
        if (IsLead(static_cast<uint8_t>(t[i]))) {
            if (i + 1 >= t.size() || !IsTrail(static_cast<uint8_t>(t[i + 1])))
                return "lone lead byte in the text";
            i += 2;
        } else {
            ++i;
        }
    }
    if (!anchorOk || !endOk || !caretOk)
        return "selection or caret inside a character";
    return {};
}

// First byte: limit (1..64); second: password flag. Then one operation per byte, with operands
// from the bytes that follow. Returns the first fault found, or empty.
inline std::string Run(const uint8_t* data, size_t size)
{
    if (size < 2)
        return {};
    platform::LineEditor ed((data[1] & 1) != 0);
    ed.SetLimit(1 + data[0] % 64);
    static const int keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK};
    size_t i = 2;
    auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        const uint8_t op = next();
        switch (op % 8) {
        case 0:
        case 1:
            ed.Char(next());
            break;
        case 2: {
            const uint8_t k = next();
            ed.KeyDown(keys[k % 6], (k & 0x80) != 0);
            break;
        }
        case 3:
            ed.CompositionStart();
            break;
        case 4: {
            const uint32_t hi = next();
            ed.CompositionUpdate(hi << 8 | next());
            break;
        }
        case 5:
            ed.CompositionEnd();
            break;
        case 6: {
            const long a = static_cast<int8_t>(next());
            ed.SetSel(a, static_cast<int8_t>(next()));
            break;
        }
        default: {
            const size_t n = next() % 16;
            std::string s;
            while (s.size() < n && i < size)
                s += static_cast<char>(next());
            ed.SetText(s);
            break;
        }
        }
        std::string fault = Check(ed);
        if (!fault.empty())
            return fault;
        if (ed.WholePrefix(ed.Text().size()) != ed.Text().size())
            return "whole-character prefix of the text is shorter than the text";
    }
    return {};
}

}  // namespace line_editor_fuzz
