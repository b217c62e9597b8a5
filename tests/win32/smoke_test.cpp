#include <gtest/gtest.h>
#include <windows.h>

TEST(Smoke, RunsUnderWindowsApi) { EXPECT_NE(GetCurrentProcessId(), 0u); }
