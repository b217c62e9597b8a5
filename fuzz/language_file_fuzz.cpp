// A language file as it may lie in the "languages" folder, read the way the windows read it.
#include <string>

#include "fuzz_support.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "lang/language_messages.h"
#include "lang/language_param.h"

using namespace lentora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const unsigned kCodePages[] = {1250, 1251, 1252};
    LanguageFile file(ProfileFile(input.Rest(), input.Pick(kCodePages)));

    // The sanitizers are the checks here: the texts themselves may be anything.
    for (const LanguageKey& key : LanguageKeys()) file.ShownText(key);
    LanguageFileInfo info = ReadLanguageFileInfo(file);
    LanguageVersionLogLine(info.version);
    LngMsgTable messages = ReadLngMsg(file);
    TranslatorLabel(messages.Msg(27), info);
    return 0;
}
