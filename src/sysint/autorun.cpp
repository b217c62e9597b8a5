#include "sysint/autorun.h"

#include "sysint/registry_key.h"
#include "sysint/startup_approval_key.h"
#include "util/platform.h"

namespace lentora {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Lentora";
constexpr wchar_t kUserRoot[] = L"HKCU";

bool SwitchedOff() { return !ReadStartupApproval(kUserRoot, kApprovalRun, kValueName).enabled; }

}  // namespace

AutorunState ReadAutorunState() {
    RegistryKey run;
    if (!run.Open(HKEY_CURRENT_USER, kRunKey) || !run.HasValue(kValueName)) return AutorunState::kAbsent;
    return SwitchedOff() ? AutorunState::kSwitchedOff : AutorunState::kOn;
}

bool UpdateAutorun(bool enabled, const std::wstring& exePath, ILogSink& log) {
    RegistryKey run;
    if (!run.OpenOrCreate(HKEY_CURRENT_USER, kRunKey)) return false;
    if (!enabled) {
        log.Log(L"Delete from registry autostart");
        return run.DeleteValue(kValueName);
    }
    // A missing value, or one that is not a string, reads as the empty text and is rewritten.
    std::wstring stored = run.ReadString(kValueName).value_or(L"");
    std::wstring expected = exePath + L" -start";
    const bool sameData = platform::UpperCase(stored) == platform::UpperCase(expected);
    const bool switchedOff = SwitchedOff();
    if (sameData && !switchedOff) {
        log.Log(L"Key registry is valid. Break registry update.");
        return true;
    }
    if (!sameData) {
        log.Log(L"Wrong key on start of Lentora");
        log.Log(L"Write in registry autostart");
        if (!run.WriteString(kValueName, expected)) return false;
    }
    if (!switchedOff) return true;
    // Ticking the option means Windows starts Lentora: the user's own switch needs no rights.
    log.Log(L"Autostart was switched off in Task Manager. Switch it on");
    return WriteStartupApproval(kUserRoot, kApprovalRun, kValueName, true);
}

}  // namespace lentora
