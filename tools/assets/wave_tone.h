#pragma once
// A short sine tone as a 16-bit mono PCM WAVE file.

#include <string>

// frequency in Hz, duration in seconds; the tone fades in and out over 10 ms. False when the
// file cannot be written.
bool WriteToneWAV(const std::string& path, double frequency, double seconds,
                  int sampleRate = 22050);
