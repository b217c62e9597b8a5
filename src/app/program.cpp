#include "app/program.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "sysint/elevated_approval.h"
#include "ui/unhandled_error.h"

namespace lentora {
namespace {

StartupContext ReadStartupContext() {
    StartupContext context;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    context.exePath = path;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) context.args.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return context;
}

}  // namespace

int RunProgram() {
    StartupContext context = ReadStartupContext();
    // An elevated run for one write of a start-up switch: no window, nothing else.
    if (auto exitCode = RunApprovalSwitch(context.args)) return *exitCode;
    const SingleInstance instance(context.exePath);
    if (!instance.First()) {
        instance.PassToRunning(context.HasSwitch(L"-start") ? SingleInstance::SecondStart::Start
                                                             : SingleInstance::SecondStart::ShowWindow);
        return 0;
    }
    int exitCode = 0;
    {
        MainWindow form(std::move(context));
        ui::SetUnhandledErrorHandler([&form](const std::wstring& what) { form.StopAfterUnhandledError(what); });
        try {
            if (form.Create()) {
                instance.SetWindow(form.hwnd());
                exitCode = form.RunMessageLoop();
            }
        } catch (...) {
            ui::ReportCurrentException();
            exitCode = kExitAfterUnhandledError;
        }
        ui::SetUnhandledErrorHandler(nullptr);
        // After the fatal stop or an unhandled error the window is destroyed without Shutdown:
        // nothing is saved.
    }
    return exitCode;
}

}  // namespace lentora
