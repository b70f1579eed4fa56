// The device's ini file (state 15): private-profile values read and written by section and key.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CXGfxDevice.h"
#include "platform/profile.h"

bool CXGfxDevice::ReadIni(const char* section, const char* key, char* buffer, size_t size) const
{
    if (!m_szIniFile[0] || !section || !key)
        return false;
    const auto value = platform::ProfileGetString(m_szIniFile, section, key);
    if (!value || value->empty())
        return false;
    std::snprintf(buffer, size, "%s", value->c_str());
    return true;
}

void CXGfxDevice::WriteIni(const char* section, const char* key, const char* value)
{
    if (!m_szIniFile[0] || !section || !key || !value)
        return;
    if (!platform::ProfileSetString(m_szIniFile, section, key, value))
        System_Log("Can't write ini file: %s", m_szIniFile);
}

void CXGfxDevice::Ini_SetInt(const char* section, const char* key, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteIni(section, key, text);
}

int CXGfxDevice::Ini_GetInt(const char* section, const char* key, int def)
{
    char text[256];
    return ReadIni(section, key, text, sizeof text) ? std::atoi(text) : def;
}

void CXGfxDevice::Ini_SetFloat(const char* section, const char* key, float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    WriteIni(section, key, text);
}

float CXGfxDevice::Ini_GetFloat(const char* section, const char* key, float def)
{
    char text[256];
    return ReadIni(section, key, text, sizeof text) ? static_cast<float>(std::atof(text)) : def;
}

void CXGfxDevice::Ini_SetString(const char* section, const char* key, const char* value)
{
    WriteIni(section, key, value);
}

const char* CXGfxDevice::Ini_GetString(const char* section, const char* key, const char* def)
{
    if (!ReadIni(section, key, m_szIniString, sizeof m_szIniString))
        std::snprintf(m_szIniString, sizeof m_szIniString, "%s", def ? def : "");
    return m_szIniString;
}
