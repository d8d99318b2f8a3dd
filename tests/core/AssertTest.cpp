#include "engine/core/Assert.h"
#include "engine/core/LogConsole.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>

TEST(Assert, ReportsThrowsAndSilencesTheLog)
{
    LogConsole console;
    LogConsole::Instance() = &console;
    ErrorFlag() = false;
    std::vector<std::pair<std::string, std::string>> shown;
    SetAssertReporter([&](const std::string& caption, const std::string& text) { shown.emplace_back(caption, text); });

    AssertFail(false, "never");
    Log("before");
    EXPECT_EQ(AssertMessageOf([] { AssertFail(true, "eID is out of range"); }), "eID is out of range");
    Log("after");

    EXPECT_TRUE(ErrorFlag());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, "ASSERT ERROR");
    EXPECT_EQ(shown[0].second, "eID is out of range");
    EXPECT_EQ(console.Lines(), std::vector<std::string>{"before"});

    SetAssertReporter([](const std::string&, const std::string&) {});
    LogConsole::Instance() = nullptr;
    ErrorFlag() = false;
}

TEST(Assert, LogLinesAreVerbatimAndCut)
{
    LogConsole console;
    LogConsole::Instance() = &console;
    Log("100% sure");
    Log(std::string(1500, 'x'));
    console.enabled = false;
    Log("hidden");
    LogConsole::Instance() = nullptr;
    ASSERT_EQ(console.Lines().size(), 2u);
    EXPECT_EQ(console.Lines()[0], "100% sure");
    EXPECT_EQ(console.Lines()[1], std::string(1023, 'x'));
}

TEST(Assert, ComposeMessageJoinsPieces)
{
    std::string out = "old";
    ComposeMessage(out, {"NO SYSTEM ", "class sX", " EXISTS"});
    EXPECT_EQ(out, "NO SYSTEM class sX EXISTS");
}
