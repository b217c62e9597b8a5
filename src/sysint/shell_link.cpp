#include "sysint/shell_link.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "launch/working_folder.h"
#include "sysint/com_ptr.h"
#include "sysint/startup_approval_key.h"
#include "ui/message_box.h"
#include "util/format.h"
#include "util/text.h"

namespace lentora {
namespace {

// An empty link object; none when the system cannot make one.
ComPtr<IShellLinkW> NewShellLink() {
    UseComOnThisThread();
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Receive()))))
        link.Reset();
    return link;
}

}  // namespace

bool CreateShellLink(const std::wstring& target, const std::wstring& linkFile, const std::wstring& description,
                     const std::wstring& arguments) {
    ComPtr<IShellLinkW> link = NewShellLink();
    if (!link) return false;
    ComPtr<IPersistFile> file = link.As<IPersistFile>();
    if (!file) return false;
    link->SetArguments(arguments.c_str());
    link->SetDescription(description.c_str());
    link->SetPath(target.c_str());
    link->SetIconLocation(target.c_str(), 0);
    link->SetWorkingDirectory(WorkingFolderOf(target).c_str());
    return SUCCEEDED(file->Save(linkFile.c_str(), FALSE));
}

std::optional<ShellLinkTarget> ReadShellLink(const std::wstring& linkFile) {
    ComPtr<IShellLinkW> link = NewShellLink();
    if (!link) return std::nullopt;
    ComPtr<IPersistFile> file = link.As<IPersistFile>();
    if (!file || FAILED(file->Load(linkFile.c_str(), STGM_READ))) return std::nullopt;
    // The limits of the link format: a path of MAX_PATH, arguments of INFOTIPSIZE characters.
    wchar_t path[MAX_PATH] = {}, arguments[INFOTIPSIZE] = {};
    if (link->GetPath(path, MAX_PATH, nullptr, 0) != S_OK || path[0] == L'\0') return std::nullopt;
    if (FAILED(link->GetArguments(arguments, INFOTIPSIZE))) arguments[0] = L'\0';
    return ShellLinkTarget{path, arguments};
}

ShortcutResult CreateStartupShortcut(const std::wstring& startupFolder, const std::wstring& exePath,
                                     const ShortcutErrorTexts& texts, ILogSink& log) {
    auto showError = [&](const std::wstring& text) {
        ui::ShowMessageBox(nullptr, text, texts.caption, MB_OK | MB_ICONERROR);
    };
    if (startupFolder.empty()) {
        log.Log(L"Startup folder is not found. Link is not created");
        showError(texts.noFolder);
        return ShortcutResult::kNoFolder;
    }
    std::wstring folder = AddBackslash(startupFolder);
    log.Log(FormatText(L"Link in \"%s\" is created", {folder}));
    std::wstring linkFile = folder + kShortcutName;
    if (!CreateShellLink(exePath, linkFile, L"Lentora.exe -start", L"-start")) {
        log.Log(FormatText(L"Link \"%s\" is not created", {linkFile}));
        showError(FormatText(texts.notCreated, {linkFile}));
        return ShortcutResult::kFailed;
    }
    // A shortcut the user once switched off in Task Manager would start nothing: making it again
    // means Windows is to start Lentora. The user's own switch needs no rights.
    if (!ReadStartupApproval(L"HKCU", kApprovalStartupFolder, kShortcutName).enabled) {
        log.Log(L"Start-up shortcut was switched off in Task Manager. Switch it on");
        WriteStartupApproval(L"HKCU", kApprovalStartupFolder, kShortcutName, true);
    }
    return ShortcutResult::kCreated;
}

}  // namespace lentora
