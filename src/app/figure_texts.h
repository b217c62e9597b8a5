// Measured figures as the window shows them: one decimal with the user's decimal separator, in the
// units of the language in force, and "unknown" in it where the system gave no figure, never 0.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "lang/language_messages.h"

namespace lentora {

class FigureTexts {
public:
    explicit FigureTexts(const IMessageSource& texts) : texts_(texts) {}

    std::wstring Seconds(const std::optional<double>& seconds) const;
    std::wstring Megabytes(const std::optional<double>& bytes) const;
    std::wstring Megabytes(const std::optional<std::uint64_t>& bytes) const;
    std::wstring Unknown() const { return texts_.Msg(NamedMsg::UnknownFigure); }

private:
    const IMessageSource& texts_;
};

}  // namespace lentora
