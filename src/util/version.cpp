#include "util/version.h"

namespace lentora {
namespace {

std::wstring TakePart(std::wstring_view& rest) {
    size_t dot = rest.find(L'.');
    if (dot != std::wstring_view::npos) {
        std::wstring part(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
        return part;
    }
    if (rest.empty()) return L"0";
    std::wstring part(rest);
    rest = {};
    return part;
}

}  // namespace

TVersionPRG ParseVersion(std::wstring_view text) {
    TVersionPRG v;
    v.Major = TakePart(text);
    v.Minor = TakePart(text);
    v.Release = TakePart(text);
    v.Build = TakePart(text);
    return v;
}

long long CompareVersion(TVersionPRG a, TVersionPRG b) {
    const std::wstring TVersionPRG::*parts[] = {&TVersionPRG::Major, &TVersionPRG::Minor, &TVersionPRG::Release};
    long long weight = 1;
    for (auto part : parts) {
        int order = (a.*part).compare(b.*part);
        if (order != 0) return order > 0 ? weight : -weight;
        weight *= 2;
    }
    return 0;
}

}  // namespace lentora
