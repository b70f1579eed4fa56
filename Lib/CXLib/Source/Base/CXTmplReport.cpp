#include "CXTmplReport.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "CXLog.h"

std::string CXSpellTypeName(const std::type_info& type, bool isClass)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    return isClass ? "class " + name : name;
}

void CXReportTmplFail(const char* header, const char* tmpl, const char* arg, const char* method,
                      int line, const char* text)
{
    std::string function = std::string(tmpl) + "<" + arg;
    function += function.back() == '>' ? " >::" : ">::";
    function += method;
    if (text)
        CXLog::ErrorLog().Write(header, function.c_str(), line, "%s", text);
    else
        CXLog::ErrorLog().Write(header, function.c_str(), line, "%s fail.", method);
}
