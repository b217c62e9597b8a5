#include "update/update_check.h"

#include <utility>

#include "util/codepage.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/text.h"
#include "util/version.h"
#include "util/whole_number.h"

namespace lentora {
namespace {

constexpr std::size_t kMaxVersionLength = 14;

// The version goes into the query as it is; bytes outside the unreserved set are escaped so
// that no text can break the request line.
std::string QueryValue(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : EncodeUtf8(text)) {
        bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
                     c == '-' || c == '_' || c == '~';
        if (plain) {
            out += c;
        } else {
            auto b = static_cast<unsigned char>(c);
            out += {'%', kHex[b >> 4], kHex[b & 15]};
        }
    }
    return out;
}

// An empty answer and one too long to be a version ("0.0.0.0") tell nothing.
bool IsVersionAnswer(const std::wstring& lastVersion) { return !lastVersion.empty() && lastVersion != L"0.0.0.0"; }

class UpdateCheckRun {
public:
    UpdateCheckRun(UpdateState state, const UpdateCheckContext& context, IUpdateSystem& system, ILogSink& log,
                   const net::CancelToken& cancel)
        : context_(context), system_(system), cancel_(cancel), log_(log) {
        result_.state = std::move(state);
    }

    std::optional<UpdateCheckResult> Execute() {
        UpdateState& state = result_.state;
        state.versionAnswered = false;
        if (UpdateCheckAsksServer(state, Today())) {
            log_.Log(state.startedByButton ? L"Button update" : L"Auto update");
            GetProxy();
            CheckUpdate();
        } else {
            log_.Log(state.automaticCheckDisabled ? L"Check update is disable" : L"Check update is paused by pool");
        }
        if (Cancelled()) return std::nullopt;
        return std::move(result_);
    }

private:
    bool Cancelled() const { return cancel_.IsCancelled(); }
    double Today() const { return context_.today ? context_.today() : TodaySerial(); }

    void GetProxy() {
        if (Cancelled()) return;
        UpdateState& state = result_.state;
        state.proxyEnabled = false;
        std::optional<std::wstring> list = system_.QueryProxy();
        if (list) {
            state.proxyEnabled = true;
            state.proxyHost = *list;
        }
        if (state.proxyEnabled && !state.proxyHost.empty()) {
            log_.Log(FormatText(L"ProxyServer %s", {*list}));
            ParseProxyList(*list, state);
        }
    }

    bool CheckConnection() {
        if (Cancelled()) return false;
        bool connected = system_.IsConnected();
        log_.Log(FormatText(L"Internet connection is %s", {Iif(connected, L"On", L"Off")}));
        return connected;
    }

    void CheckUpdate() {
        UpdateState& state = result_.state;
        state.connected = CheckConnection();
        if (Cancelled()) return;
        if (LoadLastVersion(state, context_, log_, &cancel_)) {
            state.lastUpdateDate = Today();
            state.versionAnswered = IsVersionAnswer(state.lastVersion);
        }
        if (Cancelled()) return;
        state.newerBuildAvailable = NeedUpdate(state, context_.programVersion, log_);
    }

    const UpdateCheckContext& context_;
    IUpdateSystem& system_;
    const net::CancelToken& cancel_;
    UpdateCheckResult result_;
    ILogSink& log_;
};

}  // namespace

bool UpdateCheckAsksServer(const UpdateState& state, double today) {
    if (state.startedByButton) return true;
    return !state.automaticCheckDisabled && !(state.lastUpdateDate + state.pollingIntervalDays > today);
}

void ParseProxyList(std::wstring list, UpdateState& state) {
    static constexpr std::wstring_view kHttp = L"http=";
    if (std::size_t at = list.find(kHttp); at != std::wstring::npos) {
        list.erase(0, at + kHttp.size());
        if (std::size_t semicolon = list.find(L';'); semicolon != std::wstring::npos) list.resize(semicolon);
    }
    std::size_t colon = list.find(L':');
    if (colon == std::wstring::npos) return;
    // A port that is no whole number of 32 bits reads as 0, which no connection accepts.
    state.proxyPort = ParseWholeNumber(std::wstring_view(list).substr(colon + 1)).value_or(0);
    state.proxyHost = list.substr(0, colon);
}

bool NeedUpdate(const UpdateState& state, std::wstring_view programVersion, ILogSink& log) {
    if (!IsVersionAnswer(state.lastVersion)) return false;
    TVersionPRG own = ParseVersion(programVersion);
    TVersionPRG server = ParseVersion(state.lastVersion);
    bool newer = own.Build < server.Build;
    log.Log(FormatText(L"Program %s need update", {Iif(newer, L"do", L"do not")}));
    return newer;
}

ManualCheckAnswer ManualCheckVerdict(const UpdateState& state) {
    // A failed request leaves the previous answer in place: it is not this check's.
    if (!state.connected || !state.versionAnswered) return ManualCheckAnswer::NoAnswer;
    return state.newerBuildAvailable ? ManualCheckAnswer::NewerBuild : ManualCheckAnswer::NoNewerBuild;
}

bool LoadLastVersion(UpdateState& state, const UpdateCheckContext& context, ILogSink& log,
                     const net::CancelToken* cancel) {
    if (!state.connected) return false;
    net::HttpClient client("LT_UPDATE_AGENT");
    client.SetTimeouts(context.server.timeouts);
    if (state.proxyEnabled) client.SetProxy(EncodeUtf8(state.proxyHost), state.proxyPort);
    std::string path = "/download/lastversion.php?app=lt&ver=" + QueryValue(context.programVersion);
    net::HttpResult result = client.Get(context.server.host, context.server.port, path, cancel);
    if (result.network == net::NetStatus::Cancelled) return false;
    if (!result.Succeeded()) {
        log.Log(L"Error load lastversion. File not fount");
        return false;
    }
    state.lastVersion = result.response.text;
    if (state.lastVersion.size() > kMaxVersionLength) state.lastVersion = L"0.0.0.0";
    log.Log(FormatText(L"Lastversion is \"%s\"", {state.lastVersion}));
    return true;
}

std::optional<UpdateCheckResult> ExecuteUpdateCheck(UpdateState state, const UpdateCheckContext& context,
                                                    IUpdateSystem& system, ILogSink& log,
                                                    const net::CancelToken& cancel) {
    return UpdateCheckRun(std::move(state), context, system, log, cancel).Execute();
}

}  // namespace lentora
