// Reading helpers shared by the animation and particle files.
#include "CX2DAnimationFile.h"

#include <cstdlib>

#include "CX2DChannel.h"
#include "CXString.h"

namespace {

std::string Trimmed(const std::string& text)
{
    CXString s(text.c_str());
    s.Trim();
    return s.GetString();
}

std::string Slashes(std::string s)
{
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

}  // namespace

std::string CX2DConfigText(CXFileConfig& config, const char* key)
{
    return Trimmed(config.GetValue(key).GetString());
}

bool CX2DConfigHas(CXFileConfig& config, const char* key)
{
    return !CX2DConfigText(config, key).empty();
}

float CX2DConfigFloat(CXFileConfig& config, const char* key)
{
    return static_cast<float>(CXString().ToFloat(CX2DConfigText(config, key).c_str()));
}

int64_t CX2DConfigInt(CXFileConfig& config, const char* key)
{
    return CXString().ToInteger(CX2DConfigText(config, key).c_str());
}

std::string CX2DRelativePath(const char* ownerFile, const std::string& name)
{
    const std::string own = Slashes(ownerFile ? ownerFile : "");
    const std::string file = Slashes(name);
    const size_t slash = own.rfind('/');
    if (slash == std::string::npos)
        return file;
    return own.substr(0, slash) + "/" + file;
}

std::vector<std::string> CX2DSplit(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    if (Trimmed(text).empty())
        return parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(sep, start);
        parts.push_back(Trimmed(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parts;
}

uint32_t CX2DParseBlend(const std::string& text)
{
    uint32_t bits = 0;
    for (const std::string& part : CX2DSplit(text, '|')) {
        CXString word(part.c_str());
        word.MakeUpper();
        if (word.Compare("COLORADD") == 0)
            bits |= 1;
        else if (word.Compare("ALPHABLEND") == 0)
            bits |= 2;
        else if (word.Compare("ZWRITE") == 0)
            bits |= 4;
    }
    return bits;
}

bool CX2DParseSound(const std::string& text, CX2DSoundSpec& spec)
{
    const std::vector<std::string> fields = CX2DSplit(text, ',');
    if (fields.empty() || fields[0].empty())
        return false;
    spec = CX2DSoundSpec{};
    spec.strFile = Slashes(fields[0]);
    if (fields.size() > 1 && !fields[1].empty())
        spec.nVolume = std::atoi(fields[1].c_str());
    if (fields.size() > 2 && !fields[2].empty())
        spec.nPan = std::atoi(fields[2].c_str());
    if (fields.size() > 3 && !fields[3].empty())
        spec.fPitch = static_cast<float>(std::atof(fields[3].c_str()));
    if (fields.size() > 4 && !fields[4].empty())
        spec.bLoop = std::atoi(fields[4].c_str()) != 0;
    return true;
}

void CX2DLoadSound(CXFileConfig& config, const char* ownerFile, int nCopies, bool bAllBuffers,
                   CX2DSound& sound)
{
    CX2DSoundSpec spec;
    if (!CX2DParseSound(CX2DConfigText(config, "SOUND"), spec) ||
        !sound.Create(CX2DRelativePath(ownerFile, spec.strFile).c_str(), nCopies))
        return;
    sound.SetVolume(spec.nVolume, bAllBuffers);
    sound.SetPan(spec.nPan);
    sound.SetPitch(spec.fPitch);
    sound.SetLoop(spec.bLoop);
}
