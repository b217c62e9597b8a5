// The update check: whether to ask, the request for the last version, and the comparison.
// The worker thread and the window supply an IUpdateHost; everything here runs on the worker.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "log/log_sink.h"
#include "net/http_client.h"
#include "net/socket.h"

namespace lentora {

// The state of the update checker; dates are day serials (days since 30 December 1899).
struct TLtUpd {
    bool disable_check_update = false;
    bool connect = false;
    double last_update_date = 0;
    double pool_date = 0;  // the polling interval in days
    bool getupdate = false;
    std::wstring lastversion;
    bool showed_upd_dialog = false;
    bool button_update = false;
    bool ProxyEnabled = false;
    std::wstring ProxyServer;
    std::int32_t ProxyPort = 0;
    // The last check got a version from the server: its request succeeded and the answer was
    // neither empty nor too long to be one.
    bool versionAnswered = false;
};

// Where the last-version request goes.
struct UpdateServer {
    std::string host = LENTORA_UPDATE_HOST;
    int port = 80;
    net::HttpTimeouts timeouts;
};

struct UpdateCheckContext {
    std::wstring programVersion;  // the program's own version text, e.g. "1.4.1.250"
    UpdateServer server;
    std::function<double()> today;  // today as whole days; the local date when empty
};

// What the check needs from the window. Every call is handed to the GUI thread and waited for;
// Log is the worker's WriteLog.
class IUpdateHost : public ILogSink {
public:
    // A copy of UpdState with pool_date read from the polling interval control; nothing when
    // that text is not a number, which ends the check silently.
    virtual std::optional<TLtUpd> LoadState() = 0;
    // The system's proxy list when its settings name a proxy server, else nothing.
    virtual std::optional<std::wstring> QueryProxy() = 0;
    virtual bool IsConnected() = 0;
    virtual void ShowResult(const TLtUpd& upd) = 0;
};

// Takes the host and port out of a system proxy list: the part after the first "http=" up to
// the next ";", split at its first ":" (the port 0 when it is no decimal number). A text without
// ":" leaves ProxyServer and ProxyPort as they were.
void ParseProxyList(std::wstring list, TLtUpd& upd);

// True when the server's Build is greater, as text, than the program's; logs the verdict.
// An empty lastversion or "0.0.0.0" is no answer: false without a log line.
bool NeedUpdate(const TLtUpd& upd, std::wstring_view programVersion, ILogSink& log);

// What a check asked for by the user ends with.
enum class ManualCheckAnswer {
    NoAnswer,      // no connection, a failed request or an answer that is no version
    NewerBuild,    // the download question
    NoNewerBuild,  // the server's version is not newer than ours
};
ManualCheckAnswer ManualCheckVerdict(const TLtUpd& upd);

// Asks the server for the last version into upd.lastversion; true when it answered. Does nothing
// without a connection. A cancelled request returns false and logs nothing.
bool LoadLastVersion(TLtUpd& upd, const UpdateCheckContext& context, ILogSink& log,
                     const net::CancelToken* cancel = nullptr);

enum class UpdateCheckEnd {
    ResultShown,      // the host was given the result
    StateUnreadable,  // LoadState failed: nothing logged, nothing shown
    Cancelled,        // stopped from another thread: the host was not called again
};

// The worker's whole check, from LoadState to ShowResult.
UpdateCheckEnd ExecuteUpdateCheck(IUpdateHost& host, const UpdateCheckContext& context,
                                  const net::CancelToken& cancel);

}  // namespace lentora
