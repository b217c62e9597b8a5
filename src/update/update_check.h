// The update check: whether to ask, the request for the last version, and the comparison.
// A check runs on a worker thread from a snapshot of the state and hands back one result.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "net/http_client.h"
#include "net/socket.h"

namespace lentora {

// The state of the update checker; dates are day serials (days since 30 December 1899).
struct UpdateState {
    bool automaticCheckDisabled = false;  // the "check_update" setting, negated
    bool connected = false;               // what the last connection-state query said
    double lastUpdateDate = 0;            // the day the server last answered ("LastUpdateDate")
    double pollingIntervalDays = 0;       // "PollingInterval" as the options show it when a check starts
    bool newerBuildAvailable = false;     // the last comparison found a newer build on the server
    std::wstring lastVersion;             // the server's last answer; "0.0.0.0" for one too long to be a version
    bool downloadQuestionAsked = false;   // the update balloon was clicked in this run: no balloon again
    bool startedByButton = false;         // "Check updates" started the check
    bool proxyEnabled = false;            // the system's Internet settings name a proxy server
    std::wstring proxyHost;
    std::int32_t proxyPort = 0;           // 0 until a port is found
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

// The questions a check asks the system, on the check's own thread.
class IUpdateSystem {
public:
    virtual ~IUpdateSystem() = default;
    // The system's proxy list when its settings name a proxy server, else nothing.
    virtual std::optional<std::wstring> QueryProxy() = 0;
    virtual bool IsConnected() = 0;
};

// What a finished check hands back: the state to take over.
struct UpdateCheckResult {
    UpdateState state;
};

// Whether a check from `state` asks the system and the server on `today`: one started by the
// button, or an automatic one that is switched on and due. Any other check only logs why not.
bool UpdateCheckAsksServer(const UpdateState& state, double today);

// Takes the host and port out of a system proxy list: the part after the first "http=" up to
// the next ";", split at its first ":" (the port 0 when it is no decimal number). A text without
// ":" leaves proxyHost and proxyPort as they were.
void ParseProxyList(std::wstring list, UpdateState& state);

// True when the server's Build is greater, as text, than the program's; logs the verdict.
// An empty lastVersion or "0.0.0.0" is no answer: false without a log line.
bool NeedUpdate(const UpdateState& state, std::wstring_view programVersion, ILogSink& log);

// What a check asked for by the user ends with.
enum class ManualCheckAnswer {
    NoAnswer,      // no connection, a failed request or an answer that is no version
    NewerBuild,    // the download question
    NoNewerBuild,  // the server's version is not newer than ours
};
ManualCheckAnswer ManualCheckVerdict(const UpdateState& state);

// Asks the server for the last version into state.lastVersion; true when it answered. Does
// nothing without a connection. A cancelled request returns false and logs nothing.
bool LoadLastVersion(UpdateState& state, const UpdateCheckContext& context, ILogSink& log,
                     const net::CancelToken* cancel = nullptr);

// The whole check from `state`, a snapshot that carries this check's polling interval and
// button flag; its log lines go to `log` as they happen. Nothing when it was cancelled.
std::optional<UpdateCheckResult> ExecuteUpdateCheck(UpdateState state, const UpdateCheckContext& context,
                                                    IUpdateSystem& system, ILogSink& log,
                                                    const net::CancelToken& cancel);

}  // namespace lentora
