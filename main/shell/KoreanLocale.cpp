#include "KoreanLocale.h"

#include <clocale>
#include <locale>

const char* SetKoreanLocale()
{
    static const char* const kNames[] = {"ko_KR.CP949", "ko_KR.cp949", "ko_KR.EUC-KR",
                                         "ko_KR.eucKR", "ko_KR.UTF-8", "ko_KR.utf8",
                                         "C.UTF-8",     "C.utf8"};
    for (const char* name : kNames) {
        if (!std::setlocale(LC_ALL, name))
            continue;
        try {
            std::locale::global(std::locale(name));
        } catch (...) {
            // The C library knows the name but the C++ library does not: the C locale stays set.
        }
        return name;
    }
    return nullptr;
}
