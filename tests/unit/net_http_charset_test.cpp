// Which character set a response names, and the body decoded with it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "net/http_charset.h"

namespace {

using lentora::net::DecodeBody;
using lentora::net::ResponseCharset;

struct NamedCase {
    const char* name;
    std::optional<std::string> contentType;
    std::string body;
    std::string charset;
};

const NamedCase kNamed[] = {
    {"header parameter", "text/plain; charset=windows-1251", "1.4.1.260", "windows-1251"},
    {"quoted, other case", "text/plain;Charset=\"UTF-8\"", "x", "utf-8"},
    {"alias", "text/plain; format=flowed; charset=cp1250", "x", "windows-1250"},
    {"unknown in the header is none, meta or not", "text/html; charset=koi8-r",
     "<meta charset=\"windows-1251\">", ""},
    {"html meta charset", "text/html", "<html><head><meta charset=\"windows-1251\"></head></html>", "windows-1251"},
    {"html meta http-equiv", "text/html; level=1",
     "<HTML><META HTTP-EQUIV='content-type' CONTENT='text/html; charset=iso-8859-1'/>", "iso-8859-1"},
    {"first meta with a charset wins", "text/html",
     "<meta name=\"viewport\" content=\"width=device-width\"><meta charset=utf-8><meta charset=cp1251>", "utf-8"},
    {"meta without http-equiv", "text/html", "<meta name=\"x\" content=\"text/html; charset=utf-8\">", ""},
    {"not a meta element", "text/html", "<metadata charset=\"utf-8\">", ""},
    {"cut-off meta", "text/html", "<meta charset=\"wind", ""},
    {"meta in a plain body is text", "text/plain", "<meta charset=\"utf-8\">", ""},
    {"html by its start without a header", std::nullopt, "  <!DOCTYPE html><meta charset=utf-8>", "utf-8"},
    {"xml declaration", "text/xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><v>1</v>", "windows-1252"},
    {"xml by media type suffix", "application/rss+xml", "<?xml version='1.0' encoding='ISO-8859-1'?>", "iso-8859-1"},
    {"xml by its start without a header", std::nullopt, "<?xml version=\"1.0\" encoding=\"UTF-16\"?>", "utf-16"},
    {"xml declaration without encoding", "application/xml", "<?xml version=\"1.0\"?><a encoding=\"utf-8\"/>", ""},
    {"encoding outside the declaration", "application/xml", "<?xml version=\"1.0\"?>encoding=\"utf-8\"", ""},
    {"nothing named", std::nullopt, "1.4.1.260", ""},
};

TEST(HttpCharset, ComesFromTheHeaderElseFromTheDocument) {
    for (const NamedCase& c : kNamed) {
        std::optional<std::string_view> type;
        if (c.contentType) type = *c.contentType;
        EXPECT_EQ(ResponseCharset(type, c.body), c.charset) << c.name;
    }
}

struct DecodeCase {
    std::string bytes;
    std::string charset;
    std::wstring text;
};

const DecodeCase kDecoded[] = {
    {"\xC2\xE5\xF0\xF1\xE8\xFF", "windows-1251", L"\u0412\u0435\u0440\u0441\u0438\u044F"},
    {"\x8A\x9A", "windows-1250", L"\u0160\u0161"},
    {"\x80", "windows-1252", L"\u20AC"},
    {"\x80\xE9", "iso-8859-1", L"\u0080\u00E9"},
    {"\x80\xE9", "", L"\u0080\u00E9"},
    {"\xEF\xBB\xBF\xD0\x92\r\n", "utf-8", L"\u0412\r\n"},
    {"\x12\x04", "utf-16", L"\u0412"},
    {"\xFF\xFE\x12\x04", "utf-16", L"\u0412"},
    {"\xFE\xFF\x04\x12", "utf-16", L"\u0412"},
    {"\x12\x04", "utf-16le", L"\u0412"},
    {"\x04\x12", "utf-16be", L"\u0412"},
};

TEST(HttpCharset, DecodesTheBodyWithTheNamedCharset) {
    for (const DecodeCase& c : kDecoded) EXPECT_EQ(DecodeBody(c.bytes, c.charset), c.text) << c.charset;
}

}  // namespace
