#include "util/codepage_names.h"

#include <string>

namespace lentora {
namespace {

struct NamedCodePage {
    std::string_view name;
    unsigned codePage;
};

// Names and aliases that carry no number of their code page.
constexpr NamedCodePage kNames[] = {
    {"utf-8", 65001},          {"utf8", 65001},           {"unicode-1-1-utf-8", 65001}, {"unicode-2-0-utf-8", 65001},
    {"us-ascii", 20127},       {"ascii", 20127},                {"ansi_x3.4-1968", 20127},
    {"latin1", 28591},         {"l1", 28591},             {"latin2", 28592},            {"l2", 28592},
    {"latin3", 28593},         {"l3", 28593},             {"latin4", 28594},            {"l4", 28594},
    {"cyrillic", 28595},       {"arabic", 28596},         {"greek", 28597},             {"hebrew", 28598},
    {"latin5", 28599},         {"l5", 28599},
    {"latin9", 28605},         {"l9", 28605},
    {"koi8-r", 20866},         {"koi8r", 20866},          {"koi8", 20866},              {"koi", 20866},
    {"cskoi8r", 20866},        {"koi8-u", 21866},         {"koi8-ru", 21866},
    {"tis-620", 874},          {"macintosh", 10000},      {"x-mac-arabic", 10004},      {"x-mac-hebrew", 10005},
    {"x-mac-greek", 10006},    {"x-mac-cyrillic", 10007}, {"x-mac-ce", 10029},          {"x-mac-icelandic", 10079},
    {"x-mac-turkish", 10081},
    {"shift_jis", 932},        {"shift-jis", 932},        {"sjis", 932},                {"x-sjis", 932},
    {"ms_kanji", 932},         {"csshiftjis", 932},       {"euc-jp", 51932},            {"gb2312", 936},
    {"gbk", 936},              {"x-gbk", 936},            {"gb18030", 54936},           {"big5", 950},
    {"cn-big5", 950},          {"csbig5", 950},           {"ks_c_5601-1987", 949},      {"korean", 949},
    {"euc-kr", 949},           {"csksc56011987", 949},
};

// "iso-8859-N" and its spellings: the parts Windows has a code page for.
constexpr NamedCodePage kIsoParts[] = {
    {"1", 28591}, {"2", 28592}, {"3", 28593},   {"4", 28594},  {"5", 28595},   {"6", 28596},
    {"7", 28597}, {"8", 28598}, {"8-i", 38598}, {"9", 28599}, {"13", 28603}, {"15", 28605},
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The number after `prefix` when the rest is digits only.
std::optional<unsigned> NumberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 5)
        return std::nullopt;
    unsigned number = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    // Below 37 (IBM037, the lowest) the numbers are the system's stand-ins for the user's pages.
    if (number < 37) return std::nullopt;
    return number;
}

}  // namespace

std::optional<unsigned> CodePageOfEncodingName(std::string_view name) {
    const std::string lower = Lower(name);
    for (const NamedCodePage& named : kNames) {
        if (named.name == lower) return named.codePage;
    }
    for (std::string_view prefix : {"iso-8859-", "iso8859-", "iso_8859-"}) {
        if (!lower.starts_with(prefix)) continue;
        std::string_view part = std::string_view(lower).substr(prefix.size());
        // "iso_8859-5:1988" names the same part with the year of its edition.
        part = part.substr(0, part.find(':'));
        for (const NamedCodePage& iso : kIsoParts) {
            if (iso.name == part) return iso.codePage;
        }
        return std::nullopt;
    }
    // Names that are a code page's number: "windows-1251", "cp866", "ibm866", "dos-862", "x-cp1251".
    for (std::string_view prefix : {"windows-", "cp", "ibm", "dos-", "x-cp"}) {
        if (auto number = NumberAfter(lower, prefix)) return number;
    }
    return std::nullopt;
}

}  // namespace lentora
