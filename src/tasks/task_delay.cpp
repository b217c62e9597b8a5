#include "tasks/task_delay.h"

#include "util/whole_number.h"

namespace lentora {

std::optional<std::int32_t> TaskDelay::Parse(std::wstring_view text) {
    const std::optional<std::int32_t> seconds = ParseWholeNumber(text);
    if (!seconds || *seconds < 1) return std::nullopt;
    return seconds;
}

}  // namespace lentora
