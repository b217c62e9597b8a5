// Base of the core's exceptions that carry a message for the user's windows and log.
#pragma once
#include <stdexcept>
#include <string>

namespace lentora {

class WideError : public std::runtime_error {
public:
    explicit WideError(std::wstring message);
    // The message as wide text; what() gives it in UTF-8.
    const std::wstring& What() const noexcept { return message_; }

private:
    std::wstring message_;
};

}  // namespace lentora
