#pragma once
// The C and C++ locales of the program, set at start-up and again before the UI fonts are made.

// Sets the Korean locale (CP949 first, then other Korean and UTF-8 names); never throws.
// Returns the name that took, or null when none did.
const char* SetKoreanLocale();
