#include "util/format.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace lentora {

std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size()) {
            if (format[i + 1] == L's') {
                if (next != args.end()) out += *next++;
                ++i;
                continue;
            }
            if (format[i + 1] == L'%') {
                out += L'%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::wstring OneDecimal(double value) {
    wchar_t buffer[32];
    std::swprintf(buffer, std::size(buffer), L"%.1f", std::round(value * 10) / 10);
    return buffer;
}

}  // namespace lentora
