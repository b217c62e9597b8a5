#include "app/figure_texts.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "util/format.h"

namespace lentora {
namespace {

// Read on screen, not in the log: the user's own decimal separator.
std::wstring Figure(double value) {
    std::wstring text = OneDecimal(value);
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, static_cast<int>(std::size(separator))) > 1)
        std::replace(text.begin(), text.end(), L'.', separator[0]);
    return text;
}

}  // namespace

std::wstring FigureTexts::Seconds(const std::optional<double>& seconds) const {
    return seconds ? FormatText(texts_.Msg(NamedMsg::SecondsFigure), {Figure(*seconds)}) : Unknown();
}

std::wstring FigureTexts::Megabytes(const std::optional<double>& bytes) const {
    return bytes ? FormatText(texts_.Msg(NamedMsg::MegabytesFigure), {Figure(*bytes / 1e6)}) : Unknown();
}

std::wstring FigureTexts::Megabytes(const std::optional<std::uint64_t>& bytes) const {
    return Megabytes(bytes ? std::optional<double>(static_cast<double>(*bytes)) : std::nullopt);
}

}  // namespace lentora
