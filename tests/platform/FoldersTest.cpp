#include "engine/platform/native/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// A temp home folder set as HOME for the test; the old HOME comes back afterwards.
struct FoldersTest : testing::Test
{
    fs::path home;
    std::optional<std::string> previousHome;

    void SetUp() override
    {
        if (const char* old = std::getenv("HOME"))
            previousHome = old;
        home = fs::temp_directory_path() / ("duskvane_home_" + std::to_string(getpid()));
        fs::remove_all(home);
        fs::create_directories(home / ".config");
        setenv("HOME", home.c_str(), 1);
    }

    void TearDown() override
    {
        if (previousHome)
            setenv("HOME", previousHome->c_str(), 1);
        else
            unsetenv("HOME");
        fs::remove_all(home);
    }

    void WriteUserDirs(const std::string& text) { std::ofstream(home / ".config" / "user-dirs.dirs") << text; }
};
}

TEST_F(FoldersTest, DocumentsComeFromUserDirs)
{
    struct Case
    {
        const char* userDirs;  // null: no file
        fs::path expected;
    } cases[] = {
        {nullptr, home / "Documents"},
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", home / "Documents"},
        {"# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n", home / "Papiers"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", home / "My \"Docs\""},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Old\"\nXDG_DOCUMENTS_DIR=\"$HOME/New\"\n", home / "New"},
        // Not an absolute folder after expansion: ignored.
        {"XDG_DOCUMENTS_DIR=\"Documents\"\n", home / "Documents"},
        // Commented out: ignored.
        {"#XDG_DOCUMENTS_DIR=\"$HOME/Hidden\"\n", home / "Documents"},
    };
    for (const Case& c : cases)
    {
        fs::remove(home / ".config" / "user-dirs.dirs");
        if (c.userDirs != nullptr)
            WriteUserDirs(c.userDirs);
        EXPECT_EQ(DocumentsFolder(), c.expected) << (c.userDirs ? c.userDirs : "(no file)");
    }
}

TEST_F(FoldersTest, WithoutHomeTheAccountsHomeIsUsed)
{
    unsetenv("HOME");
    const passwd* account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    if (fs::exists(fs::path(account->pw_dir) / ".config" / "user-dirs.dirs"))
        GTEST_SKIP() << "the account's own user-dirs.dirs decides";
    EXPECT_EQ(DocumentsFolder(), fs::path(account->pw_dir) / "Documents");
    setenv("HOME", "", 1);
    EXPECT_EQ(DocumentsFolder(), fs::path(account->pw_dir) / "Documents");
}

TEST_F(FoldersTest, CreateFolderMakesParentsAndToleratesExisting)
{
    const fs::path folder = home / "Documents" / "Duskvane";
    EXPECT_TRUE(CreateFolder(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(CreateFolder(folder));
    std::ofstream(home / "file") << "x";
    EXPECT_FALSE(CreateFolder(home / "file"));
    EXPECT_FALSE(CreateFolder(home / "file" / "below"));
}
