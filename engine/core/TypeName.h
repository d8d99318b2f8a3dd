#pragma once
#include <string>

// Registry key of a class: "class " + its name. Every registered class states its own name
// (g++ type names are mangled) as `static constexpr const char* ClassName`. The returned
// reference is one stable object per class, so registries may key on its address.
template <class T>
const std::string& TypeName()
{
    static const std::string name = std::string("class ") + T::ClassName;
    return name;
}
