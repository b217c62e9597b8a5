// A task's delay: the second of the walk at which the task starts. It is held as the text it was
// read or typed in, so a list read and written back keeps its bytes, and it is checked once here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

class TaskDelay {
public:
    // The largest delay the task dialog's field offers. A list file may hold a larger one; the walk
    // honours it as it is.
    static constexpr std::int32_t kMaxSeconds = 999999;

    // The seconds `text` states when it is a delay: an optional sign and decimal digits only, within
    // the 32-bit range, at least 1. Nothing for anything else (blanks, other characters, 0 or less,
    // overflow): such a delay never comes due, and the validation pass replaces it.
    static std::optional<std::int32_t> Parse(std::wstring_view text);

    TaskDelay() = default;
    // Not explicit: a delay is given as its text, in a file or in the dialog's field, and whatever
    // the text is, it is kept.
    TaskDelay(std::wstring text) : text_(std::move(text)), seconds_(Parse(text_)) {}
    TaskDelay(const wchar_t* text) : TaskDelay(std::wstring(text)) {}

    const std::wstring& Text() const { return text_; }
    // Parse(Text()).
    std::optional<std::int32_t> Seconds() const { return seconds_; }

    bool operator==(const TaskDelay& other) const { return text_ == other.text_; }

private:
    std::wstring text_;
    std::optional<std::int32_t> seconds_;
};

}  // namespace lentora
