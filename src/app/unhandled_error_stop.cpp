#include "app/unhandled_error_stop.h"

#include "app/main_window.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

void StopAfterUnhandledError(MainWindow& form, const std::wstring& what) {
    // Before the box: its message loop could otherwise deliver a close that saves.
    form.EndWithoutSaving(kExitAfterUnhandledError);
    try {
        form.Log(FormatText(L"Unhandled error \"%s\". The program ends without saving", {what}));
    } catch (...) {
        // The log may be what failed; the box still tells the user.
    }
    ui::ShowMessageBox(nullptr, what, L"Lentora", MB_OK | MB_ICONERROR);
}

}  // namespace lentora
