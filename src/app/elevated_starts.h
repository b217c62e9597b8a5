// Starts through the consent prompt, each on a thread of its own: the shell's "runas" call waits
// for the user's answer, which at log-on may come late, and the window's thread must go on
// meanwhile. Answers are collected here and taken by the window's thread when told.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tasks/task.h"
#include "ui/handles.h"

namespace lentora {

// The shell's start of `program` with `verb`, minimised, waiting for the start to be done. The
// pointers in it are the arguments' own; an empty argument text and no folder are passed as none.
SHELLEXECUTEINFOW ShellStartInfo(const wchar_t* verb, const std::wstring& program, const std::wstring& arguments,
                                 const wchar_t* folder);

class ElevatedStarts {
public:
    using ShellCall = std::function<DWORD(SHELLEXECUTEINFOW& info)>;
    struct Request {
        TaskId task = 0;
        std::wstring commandLine;  // for the log
        std::wstring program, arguments;
        std::optional<std::wstring> folder;
    };
    struct Answer {
        TaskId task = 0;
        std::wstring commandLine;
        DWORD error = ERROR_SUCCESS;  // as the shell call reported it
        ui::KernelHandle process;     // the started process, when the shell gave it
    };

    // `answerReady` runs on a start's own thread once its answer can be taken; it must only post.
    ElevatedStarts(ShellCall shellCall, std::function<void()> answerReady);
    // Threads still waiting for an answer are left to it; they tell no one once this is gone.
    ~ElevatedStarts();
    ElevatedStarts(const ElevatedStarts&) = delete;
    ElevatedStarts& operator=(const ElevatedStarts&) = delete;

    void Start(Request request);
    std::vector<Answer> TakeAnswers();

private:
    struct Shared {
        std::mutex mutex;
        std::vector<Answer> answers;
        std::function<void()> answerReady;  // empty once the owner is gone
    };

    ShellCall shellCall_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace lentora
