#include "CXDrawConfig.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Values beyond this are broken data, not positions or speeds.
constexpr double kMaxConfigMagnitude = 1.0e9;

std::string Trimmed(const CXString& value)
{
    CXString copy(value);
    copy.Trim();
    return copy.GetString();
}

}  // namespace

float CXConfigFloat(const char* text)
{
    if (!text)
        return 0.0f;
    const double value = std::atof(text);
    if (!std::isfinite(value) || std::fabs(value) > kMaxConfigMagnitude)
        return 0.0f;
    return static_cast<float>(value);
}

uint32_t CXToUInt32(double value)
{
    if (!(value > 0.0))
        return 0;
    if (value >= 4294967295.0)
        return UINT32_MAX;
    return static_cast<uint32_t>(value);
}

int32_t CXToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= -2147483648.0)
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

int64_t CXDrawConfig::Integer(const char* key)
{
    return m_File.GetValue(key).ToInteger();
}

float CXDrawConfig::Float(const char* key)
{
    return CXConfigFloat(Trimmed(m_File.GetValue(key)).c_str());
}

std::string CXDrawConfig::Text(const char* key)
{
    return Trimmed(m_File.GetValue(key));
}

int32_t CXDrawConfig::Count(const char* key)
{
    const int64_t count = Integer(key);
    return count < 0 ? 0 : count > kMaxConfigCount ? kMaxConfigCount : static_cast<int32_t>(count);
}

bool CXDrawConfig::IntegerIf(const char* key, int64_t& value)
{
    const std::string text = Text(key);
    if (text.empty())
        return false;
    value = m_File.GetValue(key).ToInteger();
    return true;
}

bool CXDrawConfig::FloatIf(const char* key, float& value)
{
    const std::string text = Text(key);
    if (text.empty())
        return false;
    value = CXConfigFloat(text.c_str());
    return true;
}

int CXDrawConfig::Fields(const char* key)
{
    m_Parser.SetSourceText(Text(key).c_str());
    return m_Parser.Parse(',');
}

int64_t CXDrawConfig::FieldInteger(int field)
{
    return m_Parser.GetValueByNumber(field).ToInteger();
}

float CXDrawConfig::FieldFloat(int field)
{
    return CXConfigFloat(Trimmed(m_Parser.GetValueByNumber(field)).c_str());
}

std::string CXDrawConfig::FieldText(int field)
{
    return Trimmed(m_Parser.GetValueByNumber(field));
}

std::string CXJoinPath(const char* folder, const char* name)
{
    std::string joined = folder ? folder : "";
    joined += '/';
    joined += name ? name : "";
    std::string out;
    out.reserve(joined.size());
    for (char c : joined) {
        if (c == '\\')
            c = '/';
        if (c == '/' && !out.empty() && out.back() == '/')
            continue;
        out += c;
    }
    return out;
}

bool CXIsIntegerFormat(const char* format)
{
    if (!format)
        return false;
    constexpr int kMaxField = 32;
    const size_t length = std::strlen(format);
    auto number = [&](size_t& i) {
        int value = 0;
        for (; i < length && format[i] >= '0' && format[i] <= '9'; ++i)
            value = value * 10 + (format[i] - '0') > kMaxField ? kMaxField + 1
                                                               : value * 10 + (format[i] - '0');
        return value;
    };
    int conversions = 0;
    for (size_t i = 0; i < length; ++i) {
        if (format[i] != '%')
            continue;
        if (++i < length && format[i] == '%')
            continue;
        while (i < length && std::strchr("-+ #0", format[i]))
            ++i;
        if (number(i) > kMaxField)
            return false;
        if (i < length && format[i] == '.') {
            ++i;
            if (number(i) > kMaxField)
                return false;
        }
        if (i >= length || !std::strchr("diuxXo", format[i]))
            return false;
        ++conversions;
    }
    return conversions == 1;
}
