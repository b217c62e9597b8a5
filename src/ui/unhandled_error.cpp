#include "ui/unhandled_error.h"

#include <windows.h>

#include <exception>
#include <new>
#include <string_view>

#include "ui/message_box.h"

namespace lentora::ui {
namespace {

UnhandledErrorHandler& Handler() {
    static UnhandledErrorHandler handler;
    return handler;
}

std::wstring Widen(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}

std::wstring DescribeCurrentException() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::exception& e) {
        return Widen(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}

}  // namespace

UnhandledErrorHandler SetUnhandledErrorHandler(UnhandledErrorHandler handler) {
    UnhandledErrorHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void ReportCurrentException() noexcept {
    // A box's own message loop may meet a second error while the first is being reported.
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    try {
        const std::wstring what = DescribeCurrentException();
        if (Handler())
            Handler()(what);
        else
            ShowMessageBox(nullptr, what, L"Lentora", MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing is left to report it with.
    }
    reporting = false;
}

}  // namespace lentora::ui
