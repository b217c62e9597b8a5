#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "lang/language_file.h"
#include "lang/language_messages.h"
#include "lang/language_param.h"
#include "unit/tasks_test_support.h"

namespace lentora {
namespace {

TEST(LanguageVersionCheck, ComparesPartsAsTextsAgainstTheBaseVersion) {
    const std::wstring warning = L"Warning! Language file is oldest version.";
    const std::wstring correct = L"Language file is correct version.";
    struct Case {
        const wchar_t* version;
        std::optional<std::wstring> line;
    };
    const Case cases[] = {
        {L"1.4", correct},       {L"1.4.0.7", correct}, {L"1.4.0", correct},
        {L"1.3.9", warning},     {L"1.10.0", warning},  // "10" sorts before "4" as text
        {L"0.0", warning},       {L"", warning},
        {L"2.0", std::nullopt},  {L"1.4.1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageVersionLogLine(c.version), c.line) << c.version;
}

class EmptyLanguageFileTest : public testing::TempFolderTest {};

TEST_F(EmptyLanguageFileTest, GivesDefaultsAndTheDefaultTranslatorLabel) {
    WriteBytes("empty.lng", "");
    for (const std::wstring& path : {PathOf("empty.lng"), PathOf("absent.lng")}) {
        LanguageFile file(path);
        LanguageFileInfo param = ReadLanguageFileInfo(file);
        EXPECT_EQ(param.translator, L"Unknown");
        EXPECT_EQ(param.code, L"EN");
        EXPECT_EQ(param.version, L"0.0");
        LngMsgTable messages = ReadLngMsg(file);
        for (int n = 1; n <= kMessageCount; ++n) EXPECT_EQ(messages.Msg(n), L"no data") << n;
        EXPECT_EQ(TranslatorLabel(messages.Msg(27), param), L"no data: Unknown (v.0.0)");
        EXPECT_EQ(LanguageVersionLogLine(param.version), L"Warning! Language file is oldest version.");
    }
}

TEST_F(EmptyLanguageFileTest, MessagesAndParamComeFromTheirKeys) {
    WriteBytes("some.lng",
               "[FILE]\r\nLanguage=ru\r\nAUTHOR=Ann\r\nVersion=1.4.1\r\n"
               "[MSG]\r\nMSG1=First\r\nMSG27=Translated by\r\nMSG39=Last\r\nMSG40=Never read\r\n");
    LanguageFile file(PathOf("some.lng"));
    LanguageFileInfo param = ReadLanguageFileInfo(file);
    EXPECT_EQ(param.code, L"ru");  // taken unchanged: it names the licence files
    LngMsgTable messages = ReadLngMsg(file);
    EXPECT_EQ(messages.Msg(1), L"First");
    EXPECT_EQ(messages.Msg(2), L"no data");
    EXPECT_EQ(messages.Msg(39), L"Last");
    EXPECT_EQ(TranslatorLabel(messages.Msg(27), param), L"Translated by: Ann (v.1.4.1)");
    EXPECT_THROW(messages.Msg(0), std::out_of_range);
    EXPECT_THROW(messages.Msg(40), std::out_of_range);
    EXPECT_EQ(LngMsgTable().Msg(6), L"");  // nothing applied yet
}

TEST_F(EmptyLanguageFileTest, NamedMessagesOfAnOlderFileAreTheEnglishDefaults) {
    WriteBytes("older.lng", "[MSG]\r\nMSG39=Last\r\n");
    WriteBytes("newer.lng", "[msg]\r\nshortcutnotcreated=Kein Link %s\r\n");
    const std::wstring english = L"The shortcut \"%s\" could not be created.";
    EXPECT_EQ(NamedMsgTable().Text(NamedMsg::ShortcutNotCreated), english) << "before any language";
    EXPECT_EQ(ReadNamedMsg(LanguageFile(PathOf("older.lng"))).Text(NamedMsg::ShortcutNotCreated), english);
    NamedMsgTable newer = ReadNamedMsg(LanguageFile(PathOf("newer.lng")));
    EXPECT_EQ(newer.Text(NamedMsg::ShortcutNotCreated), L"Kein Link %s");
    EXPECT_EQ(newer.Text(NamedMsg::StartupFolderNotFound),
              L"The Startup folder could not be found. The shortcut was not created.");
}

}  // namespace
}  // namespace lentora
