#include "measure/start_history.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "tasks/xml_codepage.h"
#include "util/codepage.h"
#include "util/platform.h"

namespace lentora {
namespace {

constexpr int kFormatVersion = 1;
// 20 starts of 50 tasks and a two-hour series each stay under 2 MB; a file far larger is no history.
constexpr std::uint64_t kMaxFileSize = 8u << 20;

struct Word {
    const char* text;
    int value;
};
constexpr Word kOutcomes[] = {{"started", static_cast<int>(LaunchOutcome::Started)},
                              {"failed", static_cast<int>(LaunchOutcome::Failed)},
                              {"declined", static_cast<int>(LaunchOutcome::Declined)},
                              {"consent", static_cast<int>(LaunchOutcome::AwaitingConsent)}};
constexpr Word kCpuSources[] = {{"program", static_cast<int>(CpuSource::Program)},
                                {"machine", static_cast<int>(CpuSource::MachineShare)}};
constexpr Word kOrigins[] = {{"log-on", static_cast<int>(WalkOrigin::LogOn)},
                             {"button", static_cast<int>(WalkOrigin::Button)}};
constexpr char kNoWindow[] = "no window", kNotReady[] = "not ready", kNever[] = "never";

template <size_t N>
const char* WordOf(const Word (&words)[N], int value) {
    for (const Word& w : words)
        if (w.value == value) return w.text;
    return words[0].text;
}

template <size_t N>
std::optional<int> ValueOf(const Word (&words)[N], std::string_view text) {
    for (const Word& w : words)
        if (text == w.text) return w.value;
    return std::nullopt;
}

// Seconds to the millisecond, without trailing zeros: "2.41", "60".
std::string SecondsText(double seconds) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), seconds, std::chars_format::fixed, 3);
    if (error != std::errc()) return "0";
    std::string text(buffer, end);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::optional<double> ReadSeconds(const pugi::xml_attribute& attribute) {
    std::string_view text = attribute.value();
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value >= 0)) return std::nullopt;
    return value;
}

std::optional<std::uint64_t> ReadCount(const pugi::xml_attribute& attribute) {
    std::string_view text = attribute.value();
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string TimeText(const platform::LocalTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

std::optional<platform::LocalTime> ReadTime(std::string_view text) {
    // yyyy-mm-ddThh:nn:ss, digits where digits belong.
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != kShape.size()) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    auto number = [&](size_t at, size_t length) {
        int value = 0;
        for (size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    platform::LocalTime t;
    t.year = number(0, 4), t.month = number(5, 2), t.day = number(8, 2);
    t.hour = number(11, 2), t.minute = number(14, 2), t.second = number(17, 2);
    t.millisecond = 0;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

// A tick without a sample is "-".
std::string SeriesText(const std::vector<std::uint8_t>& series) {
    std::string text;
    for (std::uint8_t value : series) {
        if (!text.empty()) text += ' ';
        text += value == StartRecord::kUnknownPercent ? "-" : std::to_string(value);
    }
    return text;
}

// Percent values between blanks; a value that is not one ends the series where it stands.
std::vector<std::uint8_t> ReadSeries(std::string_view text) {
    std::vector<std::uint8_t> series;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (text.substr(at, end - at) == "-") {
            series.push_back(StartRecord::kUnknownPercent);
            at = end + 1;
            continue;
        }
        unsigned value = 0;
        auto [stop, error] = std::from_chars(text.data() + at, text.data() + end, value);
        if (end == at || error != std::errc() || stop != text.data() + end || value > 100) break;
        series.push_back(static_cast<std::uint8_t>(value));
        at = end + 1;
    }
    return series;
}

void PutText(pugi::xml_node node, const char* name, std::wstring_view value) {
    std::string utf8;
    AppendXmlUtf8(value, utf8);
    node.append_attribute(name).set_value(utf8.c_str());
}

void PutLaunch(pugi::xml_node node, const MeasuredLaunch& launch) {
    PutText(node, "line", launch.commandLine);
    node.append_attribute("delay").set_value(launch.delaySeconds);
    node.append_attribute("launched").set_value(SecondsText(launch.launchedAfterSeconds).c_str());
    node.append_attribute("outcome").set_value(WordOf(kOutcomes, static_cast<int>(launch.outcome)));
    if (launch.cpuSeconds) {
        node.append_attribute("cpu").set_value(SecondsText(*launch.cpuSeconds).c_str());
        node.append_attribute("cpuFrom").set_value(WordOf(kCpuSources, static_cast<int>(launch.cpuSource)));
    }
    auto count = [&](const char* name, const std::optional<std::uint64_t>& value) {
        if (value) node.append_attribute(name).set_value(std::to_string(*value).c_str());
    };
    count("read", launch.bytesRead);
    count("written", launch.bytesWritten);
    count("peak", launch.peakPrivateBytes);
    switch (launch.readiness) {
        case Readiness::Ready:
            node.append_attribute("ready").set_value(SecondsText(launch.readyAfterSeconds.value_or(0)).c_str());
            break;
        case Readiness::NoWindow: node.append_attribute("ready").set_value(kNoWindow); break;
        case Readiness::NotReady: node.append_attribute("ready").set_value(kNotReady); break;
        case Readiness::Unknown: break;
    }
    if (launch.outcome == LaunchOutcome::Started)
        node.append_attribute("settled").set_value(
            launch.settledAfterSeconds ? SecondsText(*launch.settledAfterSeconds).c_str() : kNever);
}

std::optional<MeasuredLaunch> ReadLaunch(pugi::xml_node node) {
    MeasuredLaunch launch;
    const pugi::xml_attribute line = node.attribute("line"), delay = node.attribute("delay");
    const auto outcome = ValueOf(kOutcomes, node.attribute("outcome").value());
    const auto launched = ReadSeconds(node.attribute("launched"));
    if (!line || !delay || !outcome || !launched) return std::nullopt;
    launch.commandLine = DecodeUtf8(line.value());
    launch.delaySeconds = delay.as_int();
    launch.launchedAfterSeconds = *launched;
    launch.outcome = static_cast<LaunchOutcome>(*outcome);
    launch.cpuSeconds = ReadSeconds(node.attribute("cpu"));
    const auto source = ValueOf(kCpuSources, node.attribute("cpuFrom").value());
    // A CPU figure whose source is not told is not one to compare with others.
    if (!source) launch.cpuSeconds.reset();
    launch.cpuSource = static_cast<CpuSource>(source.value_or(static_cast<int>(CpuSource::Program)));
    launch.bytesRead = ReadCount(node.attribute("read"));
    launch.bytesWritten = ReadCount(node.attribute("written"));
    launch.peakPrivateBytes = ReadCount(node.attribute("peak"));
    const std::string_view ready = node.attribute("ready").value();
    if (ready == kNoWindow) {
        launch.readiness = Readiness::NoWindow;
    } else if (ready == kNotReady) {
        launch.readiness = Readiness::NotReady;
    } else if ((launch.readyAfterSeconds = ReadSeconds(node.attribute("ready")))) {
        launch.readiness = Readiness::Ready;
    }
    launch.settledAfterSeconds = ReadSeconds(node.attribute("settled"));
    return launch;
}

std::optional<StartRecord> ReadStart(pugi::xml_node node) {
    StartRecord start;
    const auto began = ReadTime(node.attribute("at").value());
    const auto origin = ValueOf(kOrigins, node.attribute("by").value());
    if (!began || !origin) return std::nullopt;
    start.began = *began;
    start.origin = static_cast<WalkOrigin>(*origin);
    for (pugi::xml_node child : node.children("launch"))
        if (auto launch = ReadLaunch(child)) start.launches.push_back(std::move(*launch));
    const pugi::xml_node machine = node.child("machine");
    start.machineCpu = ReadSeries(machine.attribute("cpu").value());
    start.diskBusy = ReadSeries(machine.attribute("disk").value());
    return start;
}

struct StringWriter : pugi::xml_writer {
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
    std::string bytes;
};

}  // namespace

std::string StartHistoryToBytes(const std::vector<StartRecord>& starts) {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = doc.append_child("history");
    root.append_attribute("version").set_value(kFormatVersion);
    const size_t first = starts.size() > kKeptStarts ? starts.size() - kKeptStarts : 0;
    for (size_t i = first; i < starts.size(); ++i) {
        const StartRecord& start = starts[i];
        pugi::xml_node node = root.append_child("start");
        node.append_attribute("at").set_value(TimeText(start.began).c_str());
        node.append_attribute("by").set_value(WordOf(kOrigins, static_cast<int>(start.origin)));
        pugi::xml_node machine = node.append_child("machine");
        machine.append_attribute("cpu").set_value(SeriesText(start.machineCpu).c_str());
        if (!start.diskBusy.empty()) machine.append_attribute("disk").set_value(SeriesText(start.diskBusy).c_str());
        for (const MeasuredLaunch& launch : start.launches) PutLaunch(node.append_child("launch"), launch);
    }
    StringWriter writer;
    doc.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return std::move(writer.bytes);
}

std::optional<std::vector<StartRecord>> StartHistoryFromBytes(std::string bytes) {
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) return std::nullopt;
    const pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "history" || root.attribute("version").as_int() != kFormatVersion)
        return std::nullopt;
    std::vector<StartRecord> starts;
    for (pugi::xml_node node : root.children("start"))
        if (auto start = ReadStart(node)) starts.push_back(std::move(*start));
    if (starts.size() > kKeptStarts) starts.erase(starts.begin(), starts.end() - kKeptStarts);
    return starts;
}

HistoryRead ReadStartHistory(const std::wstring& path) {
    if (!platform::FileExists(path)) return {HistoryState::Missing, {}};
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes, kMaxFileSize)) return {HistoryState::Unreadable, {}};
    auto starts = StartHistoryFromBytes(std::move(bytes));
    if (!starts) return {HistoryState::Unreadable, {}};
    return {HistoryState::Read, std::move(*starts)};
}

HistoryWrite AddToStartHistory(const std::wstring& path, const StartRecord& start) {
    HistoryRead history = ReadStartHistory(path);
    const bool setAside = history.state == HistoryState::Unreadable;
    // Kept for whoever wants to look at it; the next unreadable file replaces it.
    if (setAside && !platform::MoveFileReplacing(path, path + L".bak")) return HistoryWrite::NotWritten;
    history.starts.push_back(start);
    if (!platform::WriteFileAtomic(path, StartHistoryToBytes(history.starts))) return HistoryWrite::NotWritten;
    return setAside ? HistoryWrite::AddedToANewHistory : HistoryWrite::Added;
}

}  // namespace lentora
