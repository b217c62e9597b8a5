// A settings or language file as it may lie on disk, read, changed and written back.
#include <string>

#include "fuzz_support.h"
#include "util/codepage.h"
#include "util/profile_file.h"

using namespace lentora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const unsigned kCodePages[] = {1250, 1251, 1252, 65001};
    unsigned codePage = input.Pick(kCodePages);
    // The value to write: a letter at each end, so that no blank or quote at an end is taken off.
    size_t valueLength = input.Byte();
    std::string_view rest = input.Rest();
    std::wstring value = L"v" + DecodeUtf8(rest.substr(0, valueLength)) + L"v";
    std::string_view bytes = rest.substr(std::min(valueLength, rest.size()));

    ProfileFile file(bytes, codePage);
    fuzz::Require(file.ToBytes() == bytes, "an unchanged file is written back byte for byte");
    for (const wchar_t* section : {L"Options", L"", L"Skin", L"Language"}) {
        for (const wchar_t* key : {L"UseLog", L"CurrentLanguage", L"x"}) {
            auto read = file.Read(section, key);
            fuzz::Require(!read || read->size() <= ProfileFile::kMaxValueLength, "a value is cut to its cap");
        }
    }

    file.Write(L"Options", L"WaitTimeOut", value);
    std::wstring expected = value;
    for (auto& c : expected) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    fuzz::Require(file.Read(L"Options", L"WaitTimeOut") == expected.substr(0, ProfileFile::kMaxValueLength),
                  "a written value reads back");
    // Whatever was written parses to the same file again.
    std::string written = file.ToBytes();
    fuzz::Require(ProfileFile(written, codePage).ToBytes() == written, "a written file reads back unchanged");
    return 0;
}
