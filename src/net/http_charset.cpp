#include "net/http_charset.h"

#include <utility>
#include <vector>

#include "net/ascii_text.h"
#include "util/codepage.h"

namespace lentora::net {
namespace {

struct CharsetAlias {
    std::string_view label;
    std::string_view canonical;
};

constexpr CharsetAlias kAliases[] = {
    {"utf-8", "utf-8"},
    {"utf8", "utf-8"},
    {"utf-16", "utf-16"},
    {"unicode", "utf-16"},
    {"utf-16le", "utf-16le"},
    {"utf-16be", "utf-16be"},
    {"unicodefffe", "utf-16be"},
    {"iso-8859-1", "iso-8859-1"},
    {"iso8859-1", "iso-8859-1"},
    {"iso_8859-1", "iso-8859-1"},
    {"latin1", "iso-8859-1"},
    {"latin-1", "iso-8859-1"},
    {"l1", "iso-8859-1"},
    {"windows-1250", "windows-1250"},
    {"cp1250", "windows-1250"},
    {"x-cp1250", "windows-1250"},
    {"windows-1251", "windows-1251"},
    {"cp1251", "windows-1251"},
    {"x-cp1251", "windows-1251"},
    {"windows-1252", "windows-1252"},
    {"cp1252", "windows-1252"},
};

using Attributes = std::vector<std::pair<std::string, std::string>>;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Attributes of a tag from `pos` (just after its name) to its closing ">"; names lower-cased.
// Every turn of the loop consumes at least one character.
Attributes ReadAttributes(std::string_view text, std::size_t pos) {
    Attributes attributes;
    auto skipSpaces = [&] {
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
    };
    while (pos < text.size()) {
        skipSpaces();
        if (pos >= text.size() || text[pos] == '>') break;
        std::size_t nameStart = pos;
        while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '=' && text[pos] != '>' && text[pos] != '/' &&
               text[pos] != '?')
            ++pos;
        if (pos == nameStart) {
            ++pos;  // a stray "=", "/" or "?"
            continue;
        }
        std::string name = LowerAscii(text.substr(nameStart, pos - nameStart));
        skipSpaces();
        std::string value;
        if (pos < text.size() && text[pos] == '=') {
            ++pos;
            skipSpaces();
            if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
                std::size_t close = text.find(text[pos], pos + 1);
                if (close == std::string_view::npos) close = text.size();
                value = text.substr(pos + 1, close - pos - 1);
                pos = close + 1;
            } else {
                std::size_t valueStart = pos;
                while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '>') ++pos;
                value = text.substr(valueStart, pos - valueStart);
            }
        }
        attributes.emplace_back(std::move(name), std::move(value));
    }
    return attributes;
}

const std::string* Attribute(const Attributes& attributes, std::string_view name) {
    for (const auto& [key, value] : attributes) {
        if (key == name) return &value;
    }
    return nullptr;
}

// The "charset" parameter of a media type such as text/html; charset="windows-1251".
std::optional<std::string> CharsetParameter(std::string_view mediaType) {
    std::size_t semicolon = mediaType.find(';');
    while (semicolon != std::string_view::npos) {
        std::string_view rest = mediaType.substr(semicolon + 1);
        std::size_t next = rest.find(';');
        std::string_view parameter = rest.substr(0, next);
        std::size_t eq = parameter.find('=');
        if (eq != std::string_view::npos && EqualsNoCaseAscii(TrimBlanks(parameter.substr(0, eq)), "charset")) {
            std::string_view value = TrimBlanks(parameter.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
        semicolon = next == std::string_view::npos ? next : semicolon + 1 + next;
    }
    return std::nullopt;
}

std::string_view WithoutUtf8Mark(std::string_view body) {
    return body.substr(0, 3) == "\xEF\xBB\xBF" ? body.substr(3) : body;
}

std::optional<std::string> MetaCharset(std::string_view body) {
    for (std::size_t at = 0; (at = body.find('<', at)) != std::string_view::npos; ++at) {
        if (!StartsWithNoCaseAscii(body.substr(at + 1), "meta")) continue;
        std::size_t afterName = at + 5;
        if (afterName < body.size() && !IsSpace(body[afterName]) && body[afterName] != '/') continue;
        Attributes attributes = ReadAttributes(body, afterName);
        if (const std::string* charset = Attribute(attributes, "charset")) return *charset;
        const std::string* equiv = Attribute(attributes, "http-equiv");
        const std::string* content = Attribute(attributes, "content");
        if (equiv && content && EqualsNoCaseAscii(TrimBlanks(*equiv), "content-type")) {
            if (auto charset = CharsetParameter(*content)) return charset;
        }
    }
    return std::nullopt;
}

std::optional<std::string> XmlDeclarationEncoding(std::string_view body) {
    body = WithoutUtf8Mark(body);
    if (body.substr(0, 5) != "<?xml" || (body.size() > 5 && !IsSpace(body[5]))) return std::nullopt;
    std::string_view declaration = body.substr(0, body.find("?>"));
    Attributes attributes = ReadAttributes(declaration, 5);
    if (const std::string* encoding = Attribute(attributes, "encoding")) return *encoding;
    return std::nullopt;
}

enum class BodyKind { Html, Xml, Other };

BodyKind KindOf(std::optional<std::string_view> contentType, std::string_view body) {
    if (contentType) {
        std::string media = LowerAscii(TrimBlanks(contentType->substr(0, contentType->find(';'))));
        if (media == "text/html") return BodyKind::Html;
        if (media == "text/xml" || media == "application/xml" ||
            (media.size() > 4 && media.compare(media.size() - 4, 4, "+xml") == 0))
            return BodyKind::Xml;
        return BodyKind::Other;
    }
    std::string_view start = TrimBlanks(WithoutUtf8Mark(body));
    if (start.substr(0, 5) == "<?xml") return BodyKind::Xml;
    if (StartsWithNoCaseAscii(start, "<!doctype html") || StartsWithNoCaseAscii(start, "<html")) return BodyKind::Html;
    return BodyKind::Other;
}

}  // namespace

std::string KnownCharset(std::string_view label) {
    std::string lower = LowerAscii(TrimBlanks(label));
    for (const auto& alias : kAliases) {
        if (alias.label == lower) return std::string(alias.canonical);
    }
    return {};
}

std::string ResponseCharset(std::optional<std::string_view> contentType, std::string_view body) {
    if (contentType) {
        if (auto named = CharsetParameter(*contentType)) return KnownCharset(*named);
    }
    std::optional<std::string> named;
    switch (KindOf(contentType, body)) {
        case BodyKind::Html: named = MetaCharset(body); break;
        case BodyKind::Xml: named = XmlDeclarationEncoding(body); break;
        case BodyKind::Other: break;
    }
    return named ? KnownCharset(*named) : std::string();
}

std::wstring DecodeBody(std::string_view body, std::string_view charset) {
    if (charset == "utf-8") return DecodeUtf8(WithoutUtf8Mark(body));
    // A byte-order mark decides the byte order of "utf-16"; without one it is little-endian.
    bool leMark = body.substr(0, 2) == "\xFF\xFE";
    bool beMark = body.substr(0, 2) == "\xFE\xFF";
    if (charset == "utf-16") {
        if (beMark) return DecodeUtf16Be(body.substr(2));
        return DecodeUtf16Le(leMark ? body.substr(2) : body);
    }
    if (charset == "utf-16le") return DecodeUtf16Le(leMark ? body.substr(2) : body);
    if (charset == "utf-16be") return DecodeUtf16Be(beMark ? body.substr(2) : body);
    for (unsigned codePage : {1250u, 1251u, 1252u}) {
        if (charset == "windows-" + std::to_string(codePage)) return DecodeSingleByte(body, codePage);
    }
    return DecodeLatin1(body);
}

}  // namespace lentora::net
