#include "sysint/autorun.h"

#include "sysint/registry_key.h"
#include "util/platform.h"

namespace lentora {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Lentora";

}  // namespace

bool IsAutorunRegistered() {
    RegistryKey run;
    return run.Open(HKEY_CURRENT_USER, kRunKey) && run.HasValue(kValueName);
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
    if (platform::UpperCase(stored) == platform::UpperCase(expected)) {
        log.Log(L"Key registry is valid. Break registry update.");
        return true;
    }
    log.Log(L"Wrong key on start of Lentora");
    log.Log(L"Write in registry autostart");
    return run.WriteString(kValueName, expected);
}

}  // namespace lentora
