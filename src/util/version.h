// Program versions as four text parts, compared as texts.
#pragma once
#include <string>
#include <string_view>

namespace lentora {

struct TVersionPRG {
    std::wstring Major, Minor, Release, Build;
};

// Splits at "."; a part the text does not supply becomes "0", an empty part stays empty.
// Nothing is trimmed and whatever follows the fourth part is ignored.
TVersionPRG ParseVersion(std::wstring_view text);

// 1, 2, 4 when `a` is later in Major, Minor, Release; -1, -2, -4 when earlier; else 0.
// Parts compare ordinally as texts ("10" < "9"); Build is never compared.
long long CompareVersion(TVersionPRG a, TVersionPRG b);

}  // namespace lentora
