#include "app/elevated_starts.h"

#include <utility>

#include "sysint/consent_thread.h"

namespace lentora {

SHELLEXECUTEINFOW ShellStartInfo(const wchar_t* verb, const std::wstring& program, const std::wstring& arguments,
                                 const wchar_t* folder) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No error box of the shell's own: the outcome goes to the log and the task's status.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = program.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder;
    info.nShow = SW_SHOWMINIMIZED;
    return info;
}

ElevatedStarts::ElevatedStarts(ShellCall shellCall, std::function<void()> answerReady)
    : shellCall_(std::move(shellCall)) {
    shared_->answerReady = std::move(answerReady);
}

ElevatedStarts::~ElevatedStarts() {
    const std::lock_guard lock(shared_->mutex);
    shared_->answerReady = nullptr;
}

void ElevatedStarts::Start(Request request) {
    StartConsentThread([shared = shared_, call = shellCall_, request = std::move(request)] {
        SHELLEXECUTEINFOW info = ShellStartInfo(L"runas", request.program, request.arguments,
                                                request.folder ? request.folder->c_str() : nullptr);
        // The process is measured through its handle: the consent prompt starts it outside any job.
        info.fMask |= SEE_MASK_NOCLOSEPROCESS;
        const DWORD error = call(info);
        ui::KernelHandle process(error == ERROR_SUCCESS ? info.hProcess : nullptr);
        if (error != ERROR_SUCCESS && info.hProcess) CloseHandle(info.hProcess);
        const std::lock_guard lock(shared->mutex);
        shared->answers.push_back({request.task, request.commandLine, error, std::move(process)});
        if (shared->answerReady) shared->answerReady();
    }).detach();
}

std::vector<ElevatedStarts::Answer> ElevatedStarts::TakeAnswers() {
    const std::lock_guard lock(shared_->mutex);
    return std::exchange(shared_->answers, {});
}

}  // namespace lentora
