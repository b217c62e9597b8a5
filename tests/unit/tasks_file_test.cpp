#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "tasks/task_list_file.h"
#include "tasks/xml_codepage.h"
#include "tasks_test_support.h"
#include "util/codepage.h"

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

using namespace lentora;
using lentora::testing::RecordingLog;

namespace {

const std::wstring kVersion = L"1.4.1.250";

std::string Document(const std::string& tasks) {
    return "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\"?>"
           "<ROOT progname=\"Lentora\" version=\"1.4.1.250\">" + tasks + "</ROOT>";
}

constexpr size_t kSizeLimit = 16u << 20;

// The tasks of a file of `fileSize` bytes that holds one task, with whitespace between the elements.
std::string OneTaskFilling(size_t fileSize) {
    std::string tasks = "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\"/></TASKSLIST>";
    tasks.insert(tasks.find("</TASKSLIST>"), fileSize - Document(tasks).size(), ' ');
    return tasks;
}

// A row as the XML reader gives it: no status.
Task Row(std::wstring commandLine, std::wstring delay, std::wstring reg, bool enabled) {
    return Task{std::move(commandLine), std::move(delay), L"", std::move(reg), enabled};
}

using Rows = std::vector<Task>;

class TaskFileTest : public lentora::testing::TempFolderTest {
protected:
    // Loads `bytes` written as startlist.xml; returns whether the reading succeeded.
    bool Load(const std::string& bytes) {
        WriteBytes("startlist.xml", bytes);
        return LoadTaskList(PathOf("startlist.xml"), list_, log_);
    }
    std::wstring LoadingLine() const { return L"Loading task list from \"" + PathOf("startlist.xml") + L"\""; }
    std::wstring ErrorLine() const { return L"Error of loading of a file \"" + PathOf("startlist.xml") + L"\""; }
    // The lines of a file that could not be read and was kept beside itself.
    std::vector<std::wstring> UnreadableLines() const {
        return {LoadingLine(), ErrorLine(),
                L"Task list \"" + PathOf("startlist.xml") + L"\" could not be read and is kept as \"" +
                    PathOf("startlist.xml.bak") + L"\""};
    }

    TaskList list_;
    RecordingLog log_;
};

}  // namespace

TEST_F(TaskFileTest, SaveWritesEveryRowInOrderWithoutIndentation) {
    list_.Append({L"C:\\a b\\x.exe -q \"&<>\"", L"5", L"Active", L"0", true});
    list_.Append({L"y.exe", L"10", L"", L"1", false});
    list_.Append({L"z.exe", L"15", L"", L"0", true});
    ASSERT_TRUE(SaveTaskList(PathOf("startlist.xml"), list_, kVersion, log_));

    EXPECT_EQ(ReadBytes("startlist.xml"),
              Document("<TASKSLIST>"
                       "<TASK id=\"0\" name=\"C:\\a b\\x.exe -q &quot;&amp;&lt;>&quot;\" time=\"5\" enable=\"true\" reg=\"0\"/>"
                       "<TASK id=\"1\" name=\"y.exe\" time=\"10\" enable=\"false\" reg=\"1\"/>"
                       "<TASK id=\"2\" name=\"z.exe\" time=\"15\" enable=\"true\" reg=\"0\"/>"
                       "</TASKSLIST>"));
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{L"Saving of task list...",
                                                     L"Task list is saved as \"" + PathOf("startlist.xml") + L"\""}));
}

TEST_F(TaskFileTest, TextOutsideTheCodePageRoundTripsAsCharacterReferences) {
    std::wstring cyrillic = L"\u041F\u0440\u0438\u0432\u0435\u0442.exe";           // Привет.exe
    std::wstring beyond = L"C:\\\u4E2D\\" + DecodeUtf8("\xF0\x9F\x98\x80") + L".exe";  // 中, 😀
    list_.Append({cyrillic, L"3", L"", L"1", true});
    list_.Append({beyond, L"4", L"", L"0", false});
    ASSERT_TRUE(SaveTaskList(PathOf("startlist.xml"), list_, kVersion, log_));

    std::string bytes = ReadBytes("startlist.xml");
    EXPECT_NE(bytes.find("name=\"\xCF\xF0\xE8\xE2\xE5\xF2.exe\""), std::string::npos);
    EXPECT_NE(bytes.find("name=\"C:\\&#20013;\\&#128512;.exe\""), std::string::npos);

    TaskList loaded;
    ASSERT_TRUE(LoadTaskList(PathOf("startlist.xml"), loaded, log_));
    EXPECT_EQ(loaded.Items(), (Rows{Row(cyrillic, L"3", L"1", true), Row(beyond, L"4", L"0", false)}));
}

#if !defined(_WIN32)
// Whether a strict parser (Python's expat) reads the file as well-formed XML.
bool StrictParserAccepts(const std::wstring& path) {
    const std::string command = "python3 -c 'import sys, xml.parsers.expat as x; "
                                "x.ParserCreate().ParseFile(open(sys.argv[1], \"rb\"))' '" + EncodeUtf8(path) + "'";
    return std::system(command.c_str()) == 0;
}
#endif

TEST_F(TaskFileTest, CharactersXmlCannotHoldAreSavedAsBlanks) {
    const std::wstring emoji = DecodeUtf8("\xF0\x9F\x98\x80");  // a surrogate pair where wchar_t has 16 bits
    struct Case {
        const char* what;
        std::wstring text;
        std::string written;
        std::wstring readBack;
    } cases[] = {
        {"C0 controls", L"a\x01" L"b\x1B" L"c\x1F", "a b c ", L"a b c "},
        {"NUL", std::wstring(L"a\0b", 3), "a b", L"a b"},
        {"U+FFFE and U+FFFF", L"a\uFFFEb\uFFFF", "a b ", L"a b "},
        {"surrogates without their partner", {L'a', wchar_t(0xDC00), L'b', wchar_t(0xD800), L'c', wchar_t(0xDBFF)},
         "a b c ", L"a b c "},
        {"tab, LF and CR stay references", L"a\tb\nc\rd", "a&#09;b&#10;c&#13;d", L"a\tb\nc\rd"},
        {"characters outside the code page stay references", L"x" + emoji + L"\uFFFD", "x&#128512;&#65533;",
         L"x" + emoji + L"\uFFFD"},
    };
    for (const auto& c : cases) list_.Append({c.text, L"1", L"", L"0", true});
    ASSERT_TRUE(SaveTaskList(PathOf("startlist.xml"), list_, kVersion, log_));

    const std::string bytes = ReadBytes("startlist.xml");
    TaskList loaded;
    ASSERT_TRUE(LoadTaskList(PathOf("startlist.xml"), loaded, log_));
    ASSERT_EQ(loaded.Count(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_NE(bytes.find("name=\"" + cases[i].written + "\""), std::string::npos);
        EXPECT_EQ(loaded.Item(i).commandLine, cases[i].readBack);
    }
#if !defined(_WIN32)
    EXPECT_TRUE(StrictParserAccepts(PathOf("startlist.xml")));
#endif
}

// The writer hands the document over in pieces that may end inside a character.
TEST(SingleByteXmlEncoderTest, ACharacterCutBetweenPiecesComesOutWhole) {
    const std::string utf8 = "a" + EncodeUtf8(L"\u041F\u4E2D") + "\xF0\x9F\x98\x80" + "b";  // П, 中, 😀
    const std::string expected = "a\xCF&#20013;&#128512;b";
    for (size_t cut = 0; cut <= utf8.size(); ++cut) {
        for (size_t second = cut; second <= utf8.size(); ++second) {
            SingleByteXmlEncoder encoder(1251);
            std::string out;
            encoder.Append(std::string_view(utf8).substr(0, cut), out);
            encoder.Append(std::string_view(utf8).substr(cut, second - cut), out);
            encoder.Append(std::string_view(utf8).substr(second), out);
            encoder.Finish(out);
            EXPECT_EQ(out, expected) << "pieces end at " << cut << " and " << second;
        }
    }
    // A sequence the document never completes is no character.
    SingleByteXmlEncoder encoder(1251);
    std::string out;
    encoder.Append("a\xD0", out);
    encoder.Finish(out);
    EXPECT_EQ(out, "a&#65533;");
}

TEST_F(TaskFileTest, RegFlagDefaultsToZeroAndSurvivesTheNextSave) {
    ASSERT_TRUE(Load(Document("<TASKSLIST><TASK name=\"a.exe\" time=\"1\" enable=\"true\"/>"
                              "<TASK name=\"b.exe\" time=\"2\" enable=\"true\" reg=\"1\"/></TASKSLIST>")));
    EXPECT_EQ(list_.Items(), (Rows{Row(L"a.exe", L"1", L"0", true), Row(L"b.exe", L"2", L"1", true)}));
    ASSERT_TRUE(SaveTaskList(PathOf("again.xml"), list_, kVersion, log_));
    EXPECT_NE(ReadBytes("again.xml").find("name=\"b.exe\" time=\"2\" enable=\"true\" reg=\"1\""), std::string::npos);
}

TEST_F(TaskFileTest, ReadingFollowsTheTaskElementsAndStopsAtTheFirstBadOne) {
    struct Case {
        const char* what;
        std::string tasks;
        bool loaded;
        Rows rows;
    } cases[] = {
        {"enable as words and numbers",
         "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"TRUE\"/><TASK name=\"b\" time=\"2\" enable=\"1\"/>"
         "<TASK name=\"c\" time=\"3\" enable=\"-1\"/><TASK name=\"d\" time=\"4\" enable=\"False\"/>"
         "<TASK name=\"e\" time=\"5\" enable=\"0\"/></TASKSLIST>",
         true,
         {Row(L"a", L"1", L"0", true), Row(L"b", L"2", L"0", true), Row(L"c", L"3", L"0", true),
          Row(L"d", L"4", L"0", false), Row(L"e", L"5", L"0", false)}},
        {"enable \"yes\" stops the reading; the task stays unchecked, later ones are not read",
         "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\"/><TASK name=\"b\" time=\"2\" enable=\"yes\" reg=\"1\"/>"
         "<TASK name=\"c\" time=\"3\" enable=\"true\"/></TASKSLIST>",
         false,
         {Row(L"a", L"1", L"0", true), Row(L"b", L"2", L"1", false)}},
        {"a task without enable stays unchecked and stops the reading",
         "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\"/><TASK name=\"b\" time=\"2\" reg=\"1\"/>"
         "<TASK name=\"c\" time=\"3\" enable=\"true\"/></TASKSLIST>",
         false,
         {Row(L"a", L"1", L"0", true), Row(L"b", L"2", L"1", false)}},
        {"a task without its texts is dropped and stops the reading",
         "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\"/><TASK name=\"b\" enable=\"true\"/></TASKSLIST>",
         false,
         {Row(L"a", L"1", L"0", true)}},
        {"attribute names match in their letter case only",
         "<TASKSLIST><TASK NAME=\"a\" time=\"1\" enable=\"true\"/></TASKSLIST>", false, {}},
        {"attributes in any order",
         "<TASKSLIST><TASK reg=\"1\" enable=\"true\" time=\"2\" name=\"a\"/><TASK time=\"3\" name=\"b\" enable=\"0\"/>"
         "</TASKSLIST>",
         true,
         {Row(L"a", L"2", L"1", true), Row(L"b", L"3", L"0", false)}},
        {"no TASKSLIST", "<OTHER/>", true, {}},
        {"an empty TASKSLIST", "<TASKSLIST/>", true, {}},
        {"only the first TASKSLIST counts, an element of any name is a task",
         "<tasklist><TASK name=\"x\" time=\"1\" enable=\"true\"/></tasklist>"
         "<TASKSLIST><ITEM name=\"a\" time=\"1\" enable=\"true\"/></TASKSLIST>"
         "<TASKSLIST><TASK name=\"b\" time=\"2\" enable=\"true\"/></TASKSLIST>",
         true,
         {Row(L"a", L"1", L"0", true)}},
        {"a file of 16 MiB is read", OneTaskFilling(kSizeLimit), true, {Row(L"a", L"1", L"0", true)}},
        {"whitespace between elements is not significant",
         "\r\n  <TASKSLIST>\r\n    <TASK name=\"a\" time=\"1\" enable=\"true\"/>\r\n  </TASKSLIST>\r\n", true,
         {Row(L"a", L"1", L"0", true)}},
        {"a comment is a child that is not an element",
         "<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\"/><!-- note --><TASK name=\"b\" time=\"2\" "
         "enable=\"true\"/></TASKSLIST>",
         false,
         {Row(L"a", L"1", L"0", true)}},
        {"so is text", "<TASKSLIST>text<TASK name=\"a\" time=\"1\" enable=\"true\"/></TASKSLIST>", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list_.Clear();
        log_.lines.clear();
        std::filesystem::remove(dir_ / "startlist.xml.bak");
        const std::string document = Document(c.tasks);
        EXPECT_EQ(Load(document), c.loaded);
        EXPECT_EQ(list_.Items(), c.rows);
        // A list that stopped at a task would be saved over the rest: the file is kept.
        if (c.loaded) {
            EXPECT_EQ(log_.lines, (std::vector<std::wstring>{LoadingLine(), L"Task list is loaded"}));
            EXPECT_FALSE(Exists("startlist.xml.bak"));
        } else {
            EXPECT_EQ(log_.lines, UnreadableLines());
            EXPECT_TRUE(ReadBytes("startlist.xml.bak") == document);
        }
    }
}

TEST_F(TaskFileTest, MissingOrMalformedFileLogsTheErrorAndLeavesTheListEmpty) {
    EXPECT_FALSE(LoadTaskList(PathOf("startlist.xml"), list_, log_));
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{LoadingLine(), ErrorLine()}));
    EXPECT_FALSE(Exists("startlist.xml.bak")) << "a missing file is the first start";

    // Each is kept in place of the one before.
    for (std::string bytes : {std::string(), Document("<TASKSLIST><TASK name=\"a\" time=\"1\" enable=\"true\">"),
                              std::string("<?xml version=\"1.0\" encoding=\"x-unknown\"?><ROOT/>"),
                              Document(OneTaskFilling(kSizeLimit + 1))}) {
        SCOPED_TRACE(bytes.substr(0, 80));
        log_.lines.clear();
        EXPECT_FALSE(Load(bytes));
        EXPECT_TRUE(list_.Empty());
        EXPECT_EQ(log_.lines, UnreadableLines());
        EXPECT_TRUE(Exists("startlist.xml.bak"));
        EXPECT_TRUE(ReadBytes("startlist.xml.bak") == bytes);
    }
}

TEST_F(TaskFileTest, FilesInOtherEncodingsAreReadByTheirMarkOrDeclaration) {
    const std::wstring name = L"\u0416\u00E9.exe";  // Жé.exe
    const std::string body = "<ROOT><TASKSLIST><TASK name=\"\xD0\x96\xC3\xA9.exe\" time=\"1\" enable=\"true\"/></TASKSLIST></ROOT>";
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8 by declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body},
        {"UTF-8 without declaration", body},
        {"UTF-8 with a mark", "\xEF\xBB\xBF<?xml version=\"1.0\"?>" + body},
        {"UTF-16 LE with a mark", "\xFF\xFE" + EncodeUtf16Le(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + DecodeUtf8(body))},
        {"windows-1251 with a reference", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                                          "<ROOT><TASKSLIST><TASK name=\"\xC6&#233;.exe\" time=\"1\" enable=\"true\"/></TASKSLIST></ROOT>"},
        {"windows-1252 with a reference", "<?xml version='1.0' encoding='Windows-1252'?>"
                                          "<ROOT><TASKSLIST><TASK name=\"&#x416;\xE9.exe\" time=\"1\" enable=\"true\"/></TASKSLIST></ROOT>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list_.Clear();
        ASSERT_TRUE(Load(c.bytes));
        EXPECT_EQ(list_.Items(), (Rows{Row(name, L"1", L"0", true)}));
    }
}

#if defined(_WIN32)
// Any encoding the system has a code page for is read through the system's conversion.
TEST_F(TaskFileTest, FilesInTheSystemsOtherCodePagesAreRead) {
    struct Case {
        const char* encoding;
        const char* name;  // "Жж.exe" in that encoding
    } cases[] = {
        {"KOI8-R", "\xF6\xD6.exe"}, {"koi8-u", "\xF6\xD6.exe"}, {"ISO-8859-5", "\xB6\xD6.exe"},
        {"IBM866", "\x86\xA6.exe"}, {"cp866", "\x86\xA6.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        list_.Clear();
        ASSERT_TRUE(Load(std::string("<?xml version=\"1.0\" encoding=\"") + c.encoding + "\"?><ROOT><TASKSLIST><TASK name=\"" +
                         c.name + "\" time=\"1\" enable=\"true\"/></TASKSLIST></ROOT>"));
        EXPECT_EQ(list_.Items(), (Rows{Row(L"\u0416\u0436.exe", L"1", L"0", true)}));
    }
    list_.Clear();
    EXPECT_FALSE(Load("<?xml version=\"1.0\" encoding=\"cp99999\"?><ROOT><TASKSLIST><TASK name=\"\xF6\" time=\"1\" "
                      "enable=\"true\"/></TASKSLIST></ROOT>"))
        << "a code page the system lacks";
    EXPECT_TRUE(list_.Empty());
}
#endif

TEST_F(TaskFileTest, ValidationCorrectsDelaysBelowOneOrNotWholeByThePosition) {
    for (std::string delay : {"0", "-5", "abc", "2.5", ""}) {
        SCOPED_TRACE(delay);
        list_.Clear();
        log_.lines.clear();
        ASSERT_TRUE(Load(Document("<TASKSLIST><TASK name=\"a.exe\" time=\"7\" enable=\"true\"/>"
                                  "<TASK name=\"b.exe\" time=\"" + delay + "\" enable=\"true\"/></TASKSLIST>")));
        EXPECT_EQ(list_.Items(), (Rows{Row(L"a.exe", L"7", L"0", true), Row(L"b.exe", L"2", L"0", true)}));
        EXPECT_EQ(log_.lines, (std::vector<std::wstring>{LoadingLine(), L"Task list is loaded",
                                                         L"Find incorrect time of start in b.exe line 2 line. Corrected."}));
    }
}

TEST_F(TaskFileTest, ValidationDisablesATaskWithoutCommandLine) {
    ASSERT_TRUE(Load(Document("<TASKSLIST><TASK name=\"\" time=\"3\" enable=\"true\"/>"
                              "<TASK name=\"b.exe\" time=\"4\" enable=\"true\"/></TASKSLIST>")));
    EXPECT_EQ(list_.Items(), (Rows{Row(L"", L"3", L"0", false), Row(L"b.exe", L"4", L"0", true)}));
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{LoadingLine(), L"Task list is loaded",
                                                     L"Find empty Name of start in 1 line. Disabled."}));
}

TEST_F(TaskFileTest, SaveIntoAMissingFolderIsLoggedAsAnError) {
    list_.Append({L"a.exe", L"1", L"", L"0", true});
    std::wstring path = PathOf("missing/startlist.xml");
    EXPECT_FALSE(SaveTaskList(path, list_, kVersion, log_));
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{L"Saving of task list...",
                                                     L"Error at a saving file \"" + path + L"\""}));
}

#if !defined(_WIN32)
// Runs `write` with a file size limit that makes a write fail part-way, as a full disk would.
template <typename Write>
void WithFileSizeLimit(rlim_t bytes, Write write) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(TaskFileTest, FailedSaveLeavesThePreviousFileIntact) {
    const std::string previous = Document("<TASKSLIST/>");
    WriteBytes("startlist.xml", previous);
    for (int i = 0; i < 50; ++i) list_.Append({L"C:\\Program Files\\Tool\\tool.exe", L"1", L"", L"0", true});

    bool ok = true;
    WithFileSizeLimit(previous.size() + 16, [&] { ok = SaveTaskList(PathOf("startlist.xml"), list_, kVersion, log_); });

    EXPECT_FALSE(ok);
    EXPECT_EQ(ReadBytes("startlist.xml"), previous);
    EXPECT_EQ(log_.lines.back(), L"Error at a saving file \"" + PathOf("startlist.xml") + L"\"");
}

TEST_F(TaskFileTest, AFailedCopyOfAnUnreadableFileLeavesTheOlderCopyIntact) {
    const std::string unreadable(64u << 10, '<');
    WriteBytes("startlist.xml", unreadable);
    WriteBytes("startlist.xml.bak", "an older copy");

    WithFileSizeLimit(4096, [&] { EXPECT_FALSE(LoadTaskList(PathOf("startlist.xml"), list_, log_)); });

    EXPECT_EQ(ReadBytes("startlist.xml.bak"), "an older copy");
    EXPECT_TRUE(ReadBytes("startlist.xml") == unreadable);
    EXPECT_EQ(log_.lines.back(), L"Task list \"" + PathOf("startlist.xml") + L"\" could not be read nor kept as \"" +
                                     PathOf("startlist.xml.bak") + L"\"");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2) << "no temporary file is left";
}
#endif
