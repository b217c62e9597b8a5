#include "app/update_worker.h"

#include <wininet.h>

#include <vector>

namespace lentora {
namespace {

class Tupdate final : public IUpdateHost {
public:
    Tupdate(HWND gui, UpdateGuiCalls calls, UpdateCheckContext context, std::shared_ptr<net::CancelToken> cancel,
            std::shared_ptr<const ui::KernelHandle> startAfter)
        : gui_(gui),
          calls_(std::move(calls)),
          context_(std::move(context)),
          cancel_(std::move(cancel)),
          startAfter_(std::move(startAfter)) {}

    void Execute() {
        if (startAfter_ && *startAfter_) WaitForSingleObject(startAfter_->get(), INFINITE);
        ExecuteUpdateCheck(*this, context_, *cancel_);
    }

    std::optional<TLtUpd> LoadState() override {
        std::optional<TLtUpd> state;
        HandOver([&] { state = calls_.loadState(); });
        return state;
    }
    void Log(const std::wstring& line) override {
        logstring_ = line;
        HandOver([&] { calls_.writeLog(logstring_); });
    }
    void ShowResult(const TLtUpd& upd) override {
        HandOver([&] { calls_.showResult(upd); });
    }

    std::optional<std::wstring> QueryProxy() override {
        std::vector<BYTE> buffer(4096);
        DWORD size = static_cast<DWORD>(buffer.size());
        if (!InternetQueryOptionW(nullptr, INTERNET_OPTION_PROXY, buffer.data(), &size)) return std::nullopt;
        const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
        if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || !info->lpszProxy) return std::nullopt;
        // The system hands back UTF-16 text whatever the declared character type.
        return std::wstring(reinterpret_cast<const wchar_t*>(info->lpszProxy));
    }

    bool IsConnected() override {
        DWORD flags = 0;
        return InternetGetConnectedState(&flags, 0) != FALSE;
    }

private:
    // Runs `call` on the GUI thread and waits; a cancelled worker never touches the window again.
    void HandOver(std::function<void()> call) {
        if (cancel_->IsCancelled()) return;
        SendMessageW(gui_, WM_UPDATE_HANDOVER, 0, reinterpret_cast<LPARAM>(&call));
    }

    HWND gui_;
    UpdateGuiCalls calls_;
    UpdateCheckContext context_;
    std::shared_ptr<net::CancelToken> cancel_;
    std::shared_ptr<const ui::KernelHandle> startAfter_;
    std::wstring logstring_;
};

DWORD WINAPI WorkerMain(void* parameter) {
    std::unique_ptr<Tupdate> worker(static_cast<Tupdate*>(parameter));
    worker->Execute();
    return 0;
}

}  // namespace

void StartTupdate(HWND gui, UpdateGuiCalls calls, UpdateCheckContext context, std::shared_ptr<net::CancelToken> cancel,
                  std::shared_ptr<const ui::KernelHandle> startAfter) {
    auto worker = std::make_unique<Tupdate>(gui, std::move(calls), std::move(context), std::move(cancel),
                                            std::move(startAfter));
    HANDLE thread = CreateThread(nullptr, 0, &WorkerMain, worker.get(), CREATE_SUSPENDED, nullptr);
    if (!thread) return;
    worker.release();  // the thread frees it when Execute returns
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread);
    CloseHandle(thread);
}

}  // namespace lentora
