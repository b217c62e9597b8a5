// The proxy list and the version comparison of the update check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/update_check.h"

namespace {

using lentora::UpdateState;

class LogLines : public lentora::ILogSink {
public:
    void Log(const std::wstring& line) override { lines.push_back(line); }
    std::vector<std::wstring> lines;
};

struct ProxyCase {
    std::wstring list;
    std::wstring server;
    int port;
};

TEST(ParseProxyList, TakesTheHttpEntryAndSplitsItAtTheFirstColon) {
    const ProxyCase cases[] = {
        {L"proxy.lan:8080", L"proxy.lan", 8080},
        {L"http=h1:3128;https=h2:443", L"h1", 3128},
        {L"https=h2:443;http=h1:3128;ftp=h3:21", L"h1", 3128},
        {L"http=h1:3128", L"h1", 3128},
        {L"h:abc", L"h", 0},
        {L"h:", L"h", 0},
        {L"h:80 ", L"h", 0},
        {L"h:99999999999", L"h", 0},
        {L"h:8080:1", L"h", 0},
        // "http=" is matched with its case only: here the whole list is split.
        {L"HTTP=h1:3128;x", L"HTTP=h1", 0},
        // Without ":" both fields keep what they held before.
        {L"proxyhost", L"old", 81},
        {L"http=h1;https=h2:443", L"old", 81},
    };
    for (const ProxyCase& c : cases) {
        UpdateState state;
        state.proxyHost = L"old";
        state.proxyPort = 81;
        lentora::ParseProxyList(c.list, state);
        EXPECT_EQ(state.proxyHost, c.server) << c.list;
        EXPECT_EQ(state.proxyPort, c.port) << c.list;
    }
}

struct VersionCase {
    std::wstring lastVersion;
    bool newer;
    std::vector<std::wstring> log;
};

TEST(NeedUpdate, ComparesOnlyTheBuildAsText) {
    const std::wstring kDo = L"Program do need update";
    const std::wstring kDoNot = L"Program do not need update";
    const VersionCase cases[] = {
        {L"1.4.1.260", true, {kDo}},
        {L"1.4.1.250", false, {kDoNot}},
        {L"1.4.1.99", true, {kDo}},      // "250" < "99" as text
        {L"1.4.1.1000", false, {kDoNot}},  // "250" > "1000" as text
        {L"0.0.0.300", true, {kDo}},     // the other parts are not compared
        {L"9.9.9.200", false, {kDoNot}},
        {L"1.4.1", false, {kDoNot}},     // Build "0"
        {L"1.4.1.250\r\n", true, {kDo}},
        {L"", false, {}},
        {L"0.0.0.0", false, {}},
    };
    for (const VersionCase& c : cases) {
        UpdateState state;
        state.lastVersion = c.lastVersion;
        LogLines log;
        EXPECT_EQ(lentora::NeedUpdate(state, L"1.4.1.250", log), c.newer) << c.lastVersion;
        EXPECT_EQ(log.lines, c.log) << c.lastVersion;
    }
}

}  // namespace
