#include "ui/message_box.h"

#include <utility>

namespace lentora::ui {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (Handler()) return Handler()(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type | MB_TASKMODAL);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) { return std::exchange(Handler(), std::move(handler)); }

}  // namespace lentora::ui
