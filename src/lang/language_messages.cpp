#include "lang/language_messages.h"

#include <stdexcept>
#include <utility>

#include "lang/language_file.h"

namespace lentora {
namespace {

size_t Index(int n) {
    if (n < 1 || n > kMessageCount) throw std::out_of_range("message number out of range");
    return static_cast<size_t>(n - 1);
}

}  // namespace

const std::wstring& LngMsgTable::Msg(int n) const { return texts_[Index(n)]; }

void LngMsgTable::Set(int n, std::wstring text) { texts_[Index(n)] = std::move(text); }

LngMsgTable ReadLngMsg(const LanguageFile& file) {
    LngMsgTable table;
    for (int n = 1; n <= kMessageCount; ++n) table.Set(n, file.Read(L"MSG", L"MSG" + std::to_wstring(n)));
    return table;
}

}  // namespace lentora
