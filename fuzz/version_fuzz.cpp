// Version texts as a server or a language file may send them.
#include <string>

#include "fuzz_support.h"
#include "util/codepage.h"
#include "util/version.h"

using namespace lentora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    size_t cut = bytes.find('\n');
    TVersionPRG a = ParseVersion(DecodeUtf8(bytes.substr(0, cut)));
    TVersionPRG b = ParseVersion(cut == std::string_view::npos ? std::wstring() : DecodeUtf8(bytes.substr(cut + 1)));

    long long order = CompareVersion(a, b);
    fuzz::Require(order == 0 || order == 1 || order == -1 || order == 2 || order == -2 || order == 4 || order == -4,
                  "the order is one of the part weights");
    fuzz::Require(CompareVersion(b, a) == -order, "swapping the versions swaps the order");
    fuzz::Require(CompareVersion(a, a) == 0, "a version equals itself");

    // The four parts joined with dots parse to the same parts. The closing dot keeps an empty last
    // part empty: at the very end of the text it would count as missing and become "0".
    TVersionPRG again = ParseVersion(a.Major + L'.' + a.Minor + L'.' + a.Release + L'.' + a.Build + L'.');
    fuzz::Require(again.Major == a.Major && again.Minor == a.Minor && again.Release == a.Release &&
                      again.Build == a.Build,
                  "joined parts parse back");
    return 0;
}
