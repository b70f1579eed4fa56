#pragma once
// The one form in which log records name a source file: the library's own files as seen from its
// build folder ("..\..\Source\Base\CXThread"), every other file by its path from the project's
// root ("net\NetLog"); backslashes, no extension. Worked out at compile time from __FILE__,
// which the build makes relative to the project's root; an absolute path to the library's files
// gives the same form.

#include <cstddef>

template <size_t N>
struct CXSourcePathText {
    // The library's prefix "Lib/CXLib/" (10 bytes) becomes "..\..\" (6 bytes), so N suffices.
    char sz[N] = {};
};

// The record form of a source path (see above).
template <size_t N>
constexpr CXSourcePathText<N> CXMakeSourcePath(const char (&path)[N])
{
    constexpr char kLibrary[] = "Lib/CXLib/";
    constexpr size_t kLibraryLength = sizeof(kLibrary) - 1;
    const size_t length = N - 1;

    // The last place where the library's folder starts a path component.
    size_t from = 0;
    bool inLibrary = false;
    for (size_t i = 0; i + kLibraryLength <= length; ++i) {
        if (i != 0 && path[i - 1] != '/' && path[i - 1] != '\\')
            continue;
        bool match = true;
        for (size_t k = 0; k < kLibraryLength && match; ++k)
            match = path[i + k] == kLibrary[k] || (kLibrary[k] == '/' && path[i + k] == '\\');
        if (match) {
            from = i + kLibraryLength;
            inLibrary = true;
        }
    }

    // The extension is dropped: the text ends at the last '.' of the last component.
    size_t end = length;
    for (size_t i = length; i > from; --i) {
        const char c = path[i - 1];
        if (c == '/' || c == '\\')
            break;
        if (c == '.') {
            end = i - 1;
            break;
        }
    }

    CXSourcePathText<N> out;
    size_t n = 0;
    if (inLibrary) {
        for (const char c : {'.', '.', '\\', '.', '.', '\\'})
            out.sz[n++] = c;
    }
    for (size_t i = from; i < end; ++i)
        out.sz[n++] = path[i] == '/' ? '\\' : path[i];
    out.sz[n] = '\0';
    return out;
}

// The record form of the file this macro is written in, as a string with static storage.
#define CX_SOURCE_FILE                                                                             \
    ([]() -> const char* {                                                                         \
        static constexpr auto s_Path = CXMakeSourcePath(__FILE__);                                 \
        return s_Path.sz;                                                                          \
    }())
