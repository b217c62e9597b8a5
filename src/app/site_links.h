// Addresses of the maker's web site and of the pages the About page links to, in one place.
#pragma once
#include <string>

namespace lentora {

// The maker's web site; its host is set when the program is built.
inline std::wstring SiteAddress(const std::wstring& path) {
    const char* host = LENTORA_UPDATE_HOST;
    return L"http://" + std::wstring(host, host + std::char_traits<char>::length(host)) + path;
}

}  // namespace lentora
