#include "CXTmplReport.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "CXLog.h"

std::string CXSpellTypeName(const std::type_info& type, bool isClass, bool withoutArguments)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    if (withoutArguments)
        name = name.substr(0, name.find('<'));
    return isClass ? "class " + name : name;
}

std::string CXCloseTemplateArgs(const std::string& args)
{
    return !args.empty() && args.back() == '>' ? args + " >" : args + ">";
}

void CXReportTmplFail(const char* header, const char* tmpl, const char* arg, const char* method,
                      int line, const char* text)
{
    const std::string function = std::string(tmpl) + "<" + CXCloseTemplateArgs(arg) + "::" + method;
    if (text)
        CXLog::ErrorLog().Write(header, function.c_str(), line, "%s", text);
    else
        CXLog::ErrorLog().Write(header, function.c_str(), line, "%s fail.", method);
}
