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
bool IsVersionAnswer(const std::wstring& lastversion) { return !lastversion.empty() && lastversion != L"0.0.0.0"; }

// Log lines of a check reach the host only while it is not cancelled.
class CheckLog : public ILogSink {
public:
    CheckLog(IUpdateHost& host, const net::CancelToken& cancel) : host_(host), cancel_(cancel) {}
    void Log(const std::wstring& line) override {
        if (!cancel_.IsCancelled()) host_.Log(line);
    }

private:
    IUpdateHost& host_;
    const net::CancelToken& cancel_;
};

class UpdateCheckRun {
public:
    UpdateCheckRun(IUpdateHost& host, const UpdateCheckContext& context, const net::CancelToken& cancel)
        : host_(host), context_(context), cancel_(cancel), log_(host, cancel) {}

    UpdateCheckEnd Execute() {
        if (Cancelled()) return UpdateCheckEnd::Cancelled;
        std::optional<TLtUpd> state = host_.LoadState();
        if (!state) return UpdateCheckEnd::StateUnreadable;
        upd_ = std::move(*state);
        upd_.versionAnswered = false;
        if (upd_.button_update) {
            WriteLog(L"Button update");
            GetProxy();
            CheckUpdate();
        } else if (upd_.disable_check_update) {
            WriteLog(L"Check update is disable");
        } else if (upd_.last_update_date + upd_.pool_date > Today()) {
            WriteLog(L"Check update is paused by pool");
        } else {
            WriteLog(L"Auto update");
            GetProxy();
            CheckUpdate();
        }
        if (Cancelled()) return UpdateCheckEnd::Cancelled;
        host_.ShowResult(upd_);
        return UpdateCheckEnd::ResultShown;
    }

private:
    bool Cancelled() const { return cancel_.IsCancelled(); }
    void WriteLog(const std::wstring& line) { log_.Log(line); }
    double Today() const { return context_.today ? context_.today() : TodaySerial(); }

    void GetProxy() {
        if (Cancelled()) return;
        upd_.ProxyEnabled = false;
        std::optional<std::wstring> list = host_.QueryProxy();
        if (list) {
            upd_.ProxyEnabled = true;
            upd_.ProxyServer = *list;
        }
        if (upd_.ProxyEnabled && !upd_.ProxyServer.empty()) {
            WriteLog(FormatText(L"ProxyServer %s", {*list}));
            ParseProxyList(*list, upd_);
        }
    }

    bool CheckConnection() {
        if (Cancelled()) return false;
        bool connected = host_.IsConnected();
        WriteLog(FormatText(L"Internet connection is %s", {Iif(connected, L"On", L"Off")}));
        return connected;
    }

    void CheckUpdate() {
        upd_.connect = CheckConnection();
        if (Cancelled()) return;
        if (LoadLastVersion(upd_, context_, log_, &cancel_)) {
            upd_.last_update_date = Today();
            upd_.versionAnswered = IsVersionAnswer(upd_.lastversion);
        }
        if (Cancelled()) return;
        upd_.getupdate = NeedUpdate(upd_, context_.programVersion, log_);
    }

    IUpdateHost& host_;
    const UpdateCheckContext& context_;
    const net::CancelToken& cancel_;
    CheckLog log_;
    TLtUpd upd_;
};

}  // namespace

void ParseProxyList(std::wstring list, TLtUpd& upd) {
    static constexpr std::wstring_view kHttp = L"http=";
    if (std::size_t at = list.find(kHttp); at != std::wstring::npos) {
        list.erase(0, at + kHttp.size());
        if (std::size_t semicolon = list.find(L';'); semicolon != std::wstring::npos) list.resize(semicolon);
    }
    std::size_t colon = list.find(L':');
    if (colon == std::wstring::npos) return;
    // A port that is no whole number of 32 bits reads as 0, which no connection accepts.
    upd.ProxyPort = ParseWholeNumber(std::wstring_view(list).substr(colon + 1)).value_or(0);
    upd.ProxyServer = list.substr(0, colon);
}

bool NeedUpdate(const TLtUpd& upd, std::wstring_view programVersion, ILogSink& log) {
    if (!IsVersionAnswer(upd.lastversion)) return false;
    TVersionPRG own = ParseVersion(programVersion);
    TVersionPRG server = ParseVersion(upd.lastversion);
    bool newer = own.Build < server.Build;
    log.Log(FormatText(L"Program %s need update", {Iif(newer, L"do", L"do not")}));
    return newer;
}

ManualCheckAnswer ManualCheckVerdict(const TLtUpd& upd) {
    // A failed request leaves the previous answer in place: it is not this check's.
    if (!upd.connect || !upd.versionAnswered) return ManualCheckAnswer::NoAnswer;
    return upd.getupdate ? ManualCheckAnswer::NewerBuild : ManualCheckAnswer::NoNewerBuild;
}

bool LoadLastVersion(TLtUpd& upd, const UpdateCheckContext& context, ILogSink& log, const net::CancelToken* cancel) {
    if (!upd.connect) return false;
    net::HttpClient client("LT_UPDATE_AGENT");
    client.SetTimeouts(context.server.timeouts);
    if (upd.ProxyEnabled) client.SetProxy(EncodeUtf8(upd.ProxyServer), upd.ProxyPort);
    std::string path = "/download/lastversion.php?app=lt&ver=" + QueryValue(context.programVersion);
    net::HttpResult result = client.Get(context.server.host, context.server.port, path, cancel);
    if (result.network == net::NetStatus::Cancelled) return false;
    if (!result.Succeeded()) {
        log.Log(L"Error load lastversion. File not fount");
        return false;
    }
    upd.lastversion = result.response.text;
    if (upd.lastversion.size() > kMaxVersionLength) upd.lastversion = L"0.0.0.0";
    log.Log(FormatText(L"Lastversion is \"%s\"", {upd.lastversion}));
    return true;
}

UpdateCheckEnd ExecuteUpdateCheck(IUpdateHost& host, const UpdateCheckContext& context,
                                  const net::CancelToken& cancel) {
    return UpdateCheckRun(host, context, cancel).Execute();
}

}  // namespace lentora
