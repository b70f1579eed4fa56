#pragma once
// Failure reports of the library templates: one error-log record under the template's spelled-out
// class and method name, for example "CXListTmpl<class CXThread>::AddTail" with "AddTail fail.".

#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>

// The name of a type argument as the library spells it in its reports: 32-bit unsigned is
// "unsigned long" (the library's DWORD), 64-bit is "unsigned __int64", classes read "class X".
std::string CXSpellTypeName(const std::type_info& type, bool isClass);

template <class T>
const char* CXTmplArgName()
{
    static const std::string name = [] {
        if constexpr (std::is_same_v<T, uint32_t>) return std::string("unsigned long");
        else if constexpr (std::is_same_v<T, int32_t>) return std::string("long");
        else if constexpr (std::is_same_v<T, uint64_t>) return std::string("unsigned __int64");
        else if constexpr (std::is_same_v<T, int64_t>) return std::string("__int64");
        else return CXSpellTypeName(typeid(T), std::is_class_v<T>);
    }();
    return name.c_str();
}

// Writes "<tmpl><<arg>>::<method>" with the text "<method> fail." (or the given text) to the
// error log, located at the template's header path and the reporting line.
void CXReportTmplFail(const char* header, const char* tmpl, const char* arg, const char* method,
                      int line, const char* text = nullptr);
