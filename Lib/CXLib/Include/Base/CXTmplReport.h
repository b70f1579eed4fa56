#pragma once
// Failure reports of the library templates: one error-log record under the template's spelled-out
// class and method name, for example "CXListTmpl<class CXThread>::AddTail" with "AddTail fail.".

#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>

// The name of a type as the compiler prints it, with "class " in front when isClass is set and
// the template arguments cut off when withoutArguments is set ("CXListTmpl" of CXListTmpl<int>).
std::string CXSpellTypeName(const std::type_info& type, bool isClass,
                            bool withoutArguments = false);

// Closes a template argument list: "> >" after a nested one, so the brackets never touch.
std::string CXCloseTemplateArgs(const std::string& args);

// The spelling of a type argument in the library's reports: 32-bit unsigned is "unsigned long"
// (the library's DWORD), 64-bit is "unsigned __int64", classes read "class X", and class template
// instances spell their own arguments the same way ("class CXLockTmpl<class CXListTmpl<unsigned
// char> >").
template <class T>
struct CXTmplSpelling {
    static std::string Get()
    {
        if constexpr (std::is_same_v<T, uint32_t>)
            return "unsigned long";
        else if constexpr (std::is_same_v<T, int32_t>)
            return "long";
        else if constexpr (std::is_same_v<T, uint64_t>)
            return "unsigned __int64";
        else if constexpr (std::is_same_v<T, int64_t>)
            return "__int64";
        else
            return CXSpellTypeName(typeid(T), std::is_class_v<T>);
    }
};

template <template <class...> class Tmpl, class First, class... Rest>
struct CXTmplSpelling<Tmpl<First, Rest...>> {
    static std::string Get()
    {
        std::string args = CXTmplSpelling<First>::Get();
        ((args += "," + CXTmplSpelling<Rest>::Get()), ...);
        return CXSpellTypeName(typeid(Tmpl<First, Rest...>), true, true) + "<" +
               CXCloseTemplateArgs(args);
    }
};

template <class T>
const char* CXTmplArgName()
{
    static const std::string name = CXTmplSpelling<T>::Get();
    return name.c_str();
}

// Writes "<tmpl><<arg>>::<method>" with the text "<method> fail." (or the given text) to the
// error log, located at the template's header path and the reporting line.
void CXReportTmplFail(const char* header, const char* tmpl, const char* arg, const char* method,
                      int line, const char* text = nullptr);
