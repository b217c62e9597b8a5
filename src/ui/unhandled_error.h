// An exception that no handler caught must not travel through the system's code between a window
// procedure and the message loop (it cannot do so safely); it ends where it leaves our code and is
// handed to one process-wide handler.
#pragma once
#include <functional>
#include <string>

namespace lentora::ui {

using UnhandledErrorHandler = std::function<void(const std::wstring& what)>;

// Replaces the handler; returns the previous one. Without a handler the error is only shown.
UnhandledErrorHandler SetUnhandledErrorHandler(UnhandledErrorHandler handler);

// Hands the exception being handled to the handler. Call it only inside a catch block.
void ReportCurrentException() noexcept;

}  // namespace lentora::ui
