#include "ui/modal_loop.h"

#include "ui/dialog_keys.h"

namespace lentora::ui {

void ModalLoop::Run(const std::function<bool()>& closed) {
    DisableOwner();
    MSG msg{};
    while (!closed() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateDialogKeys(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
    if (focus_ && IsChild(owner_, focus_) && IsWindowEnabled(focus_)) SetFocus(focus_);
}

}  // namespace lentora::ui
