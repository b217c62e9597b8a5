#include <gtest/gtest.h>

#include "util/format.h"

using lentora::FormatText;

TEST(FormatText, SubstitutesInOrderAndNeverReadsArgumentsAsFormats) {
    EXPECT_EQ(FormatText(L"Task list is saved as \"%s\"", {L"C:\\a.xml"}), L"Task list is saved as \"C:\\a.xml\"");
    EXPECT_EQ(FormatText(L"Find incorrect time of start in %s line %s line. Corrected.", {L"x", L"2"}),
              L"Find incorrect time of start in x line 2 line. Corrected.");
    EXPECT_EQ(FormatText(L"%s", {L"100%s"}), L"100%s");
    EXPECT_EQ(FormatText(L"%s and %s", {L"one"}), L"one and ");
    EXPECT_EQ(FormatText(L"50%% %d", {}), L"50% %d");
}
