// LngMsg: the message texts MSG1..MSG39 of the applied language.
#pragma once
#include <array>
#include <string>

namespace lentora {

class LanguageFile;

inline constexpr int kMessageCount = 39;

class LngMsgTable {
public:
    // All texts are empty until a language is applied.
    LngMsgTable() = default;
    // Text of MSG`n`, n from 1 to kMessageCount; throws std::out_of_range otherwise.
    const std::wstring& Msg(int n) const;
    void Set(int n, std::wstring text);

private:
    std::array<std::wstring, kMessageCount> texts_;
};

// All message texts of a language file, "no data" where a key is missing.
LngMsgTable ReadLngMsg(const LanguageFile& file);

}  // namespace lentora
