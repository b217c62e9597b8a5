#include "app/update_worker.h"

#include <wininet.h>

#include <mutex>

#include "ui/handles.h"
#include "util/date_time.h"

namespace lentora {

// Where a window's workers post their log lines and results. Posting and closing exclude each
// other, so a message is either queued before the close, whose sweep takes it, or refused and
// freed by its worker: none is left in a queue that nobody reads.
class UpdateResultPost {
public:
    explicit UpdateResultPost(HWND window) : window_(window) {}

    // Hands the object to the window's queue; false (the object still the caller's) when closed.
    template <typename T>
    bool Post(UINT message, std::unique_ptr<T>& owned) {
        std::lock_guard lock(mutex_);
        if (closed_ || !PostMessageW(window_, message, 0, reinterpret_cast<LPARAM>(owned.get()))) return false;
        owned.release();
        return true;
    }

    void Close(const std::function<void(const std::wstring&)>& logLine) {
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
        }
        // Both kinds in the order they were posted: a line never comes after its check's result.
        MSG queued{};
        while (PeekMessageW(&queued, window_, WM_UPDATE_RESULT, WM_UPDATE_LOG_LINE, PM_REMOVE)) {
            if (queued.message == WM_UPDATE_LOG_LINE)
                logLine(*TakeUpdateLogLine(queued.lParam));
            else if (queued.message == WM_UPDATE_RESULT)
                TakeUpdateResult(queued.lParam);
        }
    }

private:
    std::mutex mutex_;
    HWND window_;
    bool closed_ = false;
};

namespace {

// The system's Internet settings, asked on the worker's thread.
class SystemInternetSettings final : public IUpdateSystem {
public:
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
};

// A check's log lines, each posted to the window as it happens.
class PostedLog final : public ILogSink {
public:
    explicit PostedLog(UpdateResultPost& post) : post_(post) {}
    void Log(const std::wstring& line) override {
        auto owned = std::make_unique<std::wstring>(line);
        post_.Post(WM_UPDATE_LOG_LINE, owned);  // a refused line goes with `owned`
    }

private:
    UpdateResultPost& post_;
};

class UpdateCheckWorker {
public:
    UpdateCheckWorker(std::shared_ptr<UpdateResultPost> post, UpdateState snapshot, UpdateCheckContext context,
                      std::shared_ptr<net::CancelToken> cancel)
        : post_(std::move(post)),
          snapshot_(std::move(snapshot)),
          context_(std::move(context)),
          cancel_(std::move(cancel)) {}

    void Run() {
        SystemInternetSettings system;
        PostedLog log(*post_);
        std::optional<UpdateCheckResult> result =
            ExecuteUpdateCheck(std::move(snapshot_), context_, system, log, *cancel_);
        if (!result) return;
        auto owned = std::make_unique<UpdateCheckResult>(std::move(*result));
        post_->Post(WM_UPDATE_RESULT, owned);  // a refused result goes with `owned`
    }

private:
    std::shared_ptr<UpdateResultPost> post_;
    UpdateState snapshot_;
    UpdateCheckContext context_;
    std::shared_ptr<net::CancelToken> cancel_;
};

DWORD WINAPI WorkerMain(void* parameter) {
    std::unique_ptr<UpdateCheckWorker> worker(static_cast<UpdateCheckWorker*>(parameter));
    worker->Run();
    return 0;
}

}  // namespace

std::unique_ptr<UpdateCheckResult> TakeUpdateResult(LPARAM lParam) {
    return std::unique_ptr<UpdateCheckResult>(reinterpret_cast<UpdateCheckResult*>(lParam));
}

std::unique_ptr<std::wstring> TakeUpdateLogLine(LPARAM lParam) {
    return std::unique_ptr<std::wstring>(reinterpret_cast<std::wstring*>(lParam));
}

UpdateCheckWorkers::UpdateCheckWorkers() = default;
UpdateCheckWorkers::~UpdateCheckWorkers() = default;

void UpdateCheckWorkers::Start(HWND window, UpdateState snapshot, UpdateCheckContext context) {
    if (closed_) return;
    if (!post_) post_ = std::make_shared<UpdateResultPost>(window);
    const double today = context.today ? context.today() : TodaySerial();
    if (!UpdateCheckAsksServer(snapshot, today)) {
        // Its log line and result are posted from here, as a worker would post them: a check
        // switched off or paused, as at most starts, costs no thread and loads no Internet library.
        context.today = [today] { return today; };
        UpdateCheckWorker(post_, std::move(snapshot), std::move(context), std::make_shared<net::CancelToken>()).Run();
        return;
    }
    auto cancel = std::make_shared<net::CancelToken>();
    cancelTokens_.push_back(cancel);
    auto worker = std::make_unique<UpdateCheckWorker>(post_, std::move(snapshot), std::move(context), std::move(cancel));
    ui::KernelHandle thread(CreateThread(nullptr, 0, &WorkerMain, worker.get(), CREATE_SUSPENDED, nullptr));
    if (!thread) return;
    worker.release();  // the thread frees it when the check ends
    SetThreadPriority(thread.get(), THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread.get());
}

void UpdateCheckWorkers::Close(const std::function<void(const std::wstring&)>& logLine) {
    closed_ = true;
    for (auto& token : cancelTokens_) token->Cancel();
    if (post_) post_->Close(logLine);
}

}  // namespace lentora
