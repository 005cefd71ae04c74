#include <gtest/gtest.h>

#include "framework/recent.h"
#include "framework/winapp.h"
#include "support/testsupport.h"
#include "test_app.h"

namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override { testing_support::DeleteCompanyKey(kTestCompany); }
    void TearDown() override { testing_support::DeleteCompanyKey(kTestCompany); }
    CWinApp& app = TestApplication();
};

bool keyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

TEST_F(Profile, LivesUnderCompanyAndApplicationTitle) {
    EXPECT_EQ(app.GetAppName(), "Tesmer Vantor") << "the title comes from the string table";
    EXPECT_EQ(app.GetAppRegistryPath(), std::string("Software\\") + kTestCompany + "\\Tesmer Vantor");
    app.WriteProfileInt("Settings", "LastFunct", 3);
    EXPECT_TRUE(keyExists(app.GetAppRegistryPath() + "\\Settings"));
}

TEST_F(Profile, NestedSectionsAreNestedKeys) {
    app.WriteProfileString("Temp\\Frame3\\Settings\\quendam", "MidiInputName", "Port A");
    EXPECT_TRUE(keyExists(app.GetAppRegistryPath() + "\\Temp\\Frame3\\Settings\\quendam"));
    EXPECT_EQ(app.GetProfileString("Temp\\Frame3\\Settings\\quendam", "MidiInputName", "x"), "Port A");
    EXPECT_EQ(app.GetProfileString("Temp\\Frame3", "MidiInputName", "absent"), "absent");
}

TEST_F(Profile, IntegersRoundTripWithTheirSign) {
    const int values[] = {0, 1, -1, -10000, 2147483647, -2147483647 - 1, 12345};
    for (int v : values) {
        app.WriteProfileInt("Numbers", "Value", v);
        EXPECT_EQ(int(app.GetProfileInt("Numbers", "Value", 99)), v);
    }
    EXPECT_EQ(int(app.GetProfileInt("Numbers", "Missing", -7)), -7);
}

TEST_F(Profile, ValuesOfTheOtherTypeGiveTheDefault) {
    app.WriteProfileString("Mixed", "Text", "42");
    app.WriteProfileInt("Mixed", "Number", 42);
    EXPECT_EQ(int(app.GetProfileInt("Mixed", "Text", -1)), -1);
    EXPECT_EQ(app.GetProfileString("Mixed", "Number", "dflt"), "dflt");
}

TEST_F(Profile, EmptyTextIsStoredNotDeleted) {
    app.WriteProfileString("SystemSet", "PresetName0", "Live");
    app.WriteProfileString("SystemSet", "PresetName0", "");
    EXPECT_EQ(app.GetProfileString("SystemSet", "PresetName0", "default"), "");
}

TEST_F(Profile, NamesWithBlanksAndDotsAreKeptVerbatim) {
    app.WriteProfileInt("S", "Int. Clock Frequency ", 4800);
    app.WriteProfileInt("S", "Int. Clock Frequency", 1);
    EXPECT_EQ(int(app.GetProfileInt("S", "Int. Clock Frequency ", 0)), 4800);
    EXPECT_EQ(int(app.GetProfileInt("S", "Int. Clock Frequency", 0)), 1);
}

TEST_F(Profile, RecursiveDeleteTakesTheWholeTreeAndNothingElse) {
    app.WriteProfileInt("Workspace", "NumOfWins", 2);
    app.WriteProfileInt("Workspace\\Frame0", "SWType", 3);
    app.WriteProfileInt("Workspace\\Frame1\\Deeper\\Still", "X", 1);
    app.WriteProfileInt("WorkspaceSibling", "Kept", 5);
    ASSERT_TRUE(CWinApp::DelRegTree(HKEY_CURRENT_USER, app.GetAppRegistryPath() + "\\Workspace"));
    EXPECT_FALSE(keyExists(app.GetAppRegistryPath() + "\\Workspace"));
    EXPECT_EQ(int(app.GetProfileInt("WorkspaceSibling", "Kept", 0)), 5);
    EXPECT_FALSE(CWinApp::DelRegTree(HKEY_CURRENT_USER, app.GetAppRegistryPath() + "\\Workspace"))
        << "a missing tree reports failure";
}

TEST(CommandLine, SplitsLikeTheRuntime) {
    EXPECT_EQ(AfxSplitCommandLine(""), std::vector<std::string>{});
    EXPECT_EQ(AfxSplitCommandLine("  a.vts  "), std::vector<std::string>{"a.vts"});
    EXPECT_EQ(AfxSplitCommandLine("\"C:\\My Setups\\a b.vts\" -x"),
              (std::vector<std::string>{"C:\\My Setups\\a b.vts", "-x"}));
}

TEST(CommandLine, ShellCommands) {
    auto parse = [](const char* line) {
        CWinApp& app = TestApplication();
        app.m_lpCmdLine = line;
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        return info;
    };
    EXPECT_EQ(parse("").m_nShellCommand, CCommandLineInfo::FileNew);
    CCommandLineInfo open = parse("\"d:\\x\\live show.vtw\"");
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, "d:\\x\\live show.vtw");
    EXPECT_EQ(parse("/dde").m_nShellCommand, CCommandLineInfo::FileOther);
    EXPECT_EQ(parse("-p a.vts").m_nShellCommand, CCommandLineInfo::FileOther);
    EXPECT_EQ(parse("a.vts /p").m_nShellCommand, CCommandLineInfo::FileOther);
    TestApplication().m_lpCmdLine = "";
}

TEST_F(Profile, RecentFileListKeepsEightMostRecentWithoutDuplicates) {
    CRecentFileList list("Recent File List", "File%d", 8);
    for (int i = 1; i <= 10; ++i) list.Add(("C:\\setups\\s" + std::to_string(i) + ".vts").c_str());
    list.Add("c:\\SETUPS\\S5.VTS");   // the same file in other case moves to the top
    EXPECT_EQ(list.GetSize(), 8);
    EXPECT_EQ(list.Get(0), "c:\\SETUPS\\S5.VTS");
    EXPECT_EQ(list.Get(1), "C:\\setups\\s10.vts");
    EXPECT_EQ(list.Get(7), "C:\\setups\\s3.vts");
    list.WriteList();
    CRecentFileList again("Recent File List", "File%d", 8);
    again.ReadList();
    ASSERT_EQ(again.GetSize(), 8);
    EXPECT_EQ(again.Get(0), "c:\\SETUPS\\S5.VTS");
    EXPECT_EQ(app.GetProfileString("Recent File List", "File8", ""), "C:\\setups\\s3.vts");
    again.Remove(0);
    again.WriteList();
    EXPECT_EQ(app.GetProfileString("Recent File List", "File8", "gone"), "gone") << "a shorter list clears its tail";
}

TEST_F(Profile, RecentFileMenuReplacesThePlaceholder) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 100, "&Open");
    AppendMenuA(popup, MF_STRING, ID_FILE_MRU_FIRST_LIBRARY, "Last Setup");
    AppendMenuA(popup, MF_STRING, 101, "E&xit");
    CRecentFileList list("Recent File List", "File%d", 8);
    list.UpdateMenu(popup);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_GRAYED) << "empty list: the placeholder is greyed";
    list.Add("C:\\a.vts");
    list.Add("C:\\b&c.vts");
    list.UpdateMenu(popup);
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    char text[128];
    GetMenuStringA(popup, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&1 C:\\b&&c.vts");
    EXPECT_EQ(GetMenuItemID(popup, 2), ID_FILE_MRU_FIRST_LIBRARY + 1);
    EXPECT_EQ(GetMenuItemID(popup, 3), 101u);
    list.Remove(0);
    list.Remove(0);
    list.UpdateMenu(popup);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    GetMenuStringA(popup, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Last Setup");
    DestroyMenu(popup);
}
