#pragma once
// Reading helpers shared by the animation and particle files: names relative to a file's folder,
// blend words and the SOUND value.

#include <cstdint>
#include <string>
#include <vector>

#include "CXFileConfig.h"

class CX2DSound;

// The value of a key, trimmed.
std::string CX2DConfigText(CXFileConfig& config, const char* key);
// Whether the key has a value that is not blank.
bool CX2DConfigHas(CXFileConfig& config, const char* key);
// The value as a decimal number; 0 when absent.
float CX2DConfigFloat(CXFileConfig& config, const char* key);
// The value as an integer (decimal, or hexadecimal after "0x"); 0 when absent.
int64_t CX2DConfigInt(CXFileConfig& config, const char* key);

// name ('\' read as '/') inside the folder of ownerFile ("%s/%s"); name alone when ownerFile has
// no folder part.
std::string CX2DRelativePath(const char* ownerFile, const std::string& name);

// Splits at sep; every part is trimmed. An empty text gives no parts.
std::vector<std::string> CX2DSplit(const std::string& text, char sep);

// "COLORADD" 1, "ALPHABLEND" 2, "ZWRITE" 4 joined by '|' and OR-ed; the 0 words and unknown words
// add nothing. Case is ignored.
uint32_t CX2DParseBlend(const std::string& text);

// The SOUND value: file,volume,pan,pitch,loop.
struct CX2DSoundSpec {
    std::string strFile;
    int nVolume = 100;
    int nPan = 0;
    float fPitch = 1.0f;
    bool bLoop = false;
};
// False when the file field is empty.
bool CX2DParseSound(const std::string& text, CX2DSoundSpec& spec);
// Creates sound from the SOUND value (its file relative to ownerFile's folder) with nCopies
// buffers, then sets its volume (on every buffer with bAllBuffers, else on the last one played),
// pan, pitch and looping. Nothing without a SOUND file or when the sound cannot be created.
void CX2DLoadSound(CXFileConfig& config, const char* ownerFile, int nCopies, bool bAllBuffers,
                   CX2DSound& sound);
