// Property keys made of a state or part word and a suffix joined with a
// point ("NORMAL" and "IMAGE" give "NORMAL.IMAGE"), built once per type.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace skin {

class JoinedKeys {
public:
    JoinedKeys(std::initializer_list<const char*> prefixes, std::initializer_list<const char*> suffixes)
        : m_suffixCount(suffixes.size())
    {
        for (const char* prefix : prefixes) {
            for (const char* suffix : suffixes)
                m_keys.push_back(std::string(prefix) + "." + suffix);
        }
    }

    // Stable for the life of the program: the tables are static.
    const char* operator()(size_t prefix, size_t suffix) const { return m_keys[prefix * m_suffixCount + suffix].c_str(); }

private:
    size_t m_suffixCount;
    std::vector<std::string> m_keys;
};

}  // namespace skin
