// Tupdate: one update check on a thread of its own. It reaches the window, the log and UpdState
// only through calls handed to the GUI thread; closing the window cancels it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "net/socket.h"
#include "ui/handles.h"
#include "update/update_check.h"

namespace lentora {

// The message by which a worker hands a call to the GUI thread (lParam: std::function<void()>*).
// A window that is closing drops the call unrun.
inline constexpr UINT WM_UPDATE_HANDOVER = WM_APP + 41;

// What the GUI thread does for a worker; each call runs on the GUI thread.
struct UpdateGuiCalls {
    std::function<std::optional<TLtUpd>()> loadState;
    std::function<void(const std::wstring&)> writeLog;
    std::function<void(const TLtUpd&)> showResult;
};

// Starts one worker at one step below normal priority; nobody waits for it. It begins its check
// once the event `startAfter` is set. The token, once cancelled, closes its socket and turns its
// hand-overs into no-ops.
void StartTupdate(HWND gui, UpdateGuiCalls calls, UpdateCheckContext context, std::shared_ptr<net::CancelToken> cancel,
                  std::shared_ptr<const ui::KernelHandle> startAfter);

}  // namespace lentora
