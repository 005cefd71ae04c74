#include "app/functsel.h"
#include "resource.h"
#include "shell_fixture.h"

namespace {

std::string itemText(HWND dlg, int id) {
    char buf[256] = "";
    GetDlgItemTextA(dlg, id, buf, sizeof(buf));
    return buf;
}

void click(HWND dlg, int id) { ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dlg, id))); }

}  // namespace

using FunctionSelect = ShellTest;

TEST_F(FunctionSelect, ListsTheTwelveFunctionsInTableOrderAndOkKeepsThePreselection) {
    std::vector<std::string> lines;
    std::string description;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        int n = int(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buf[64];
            ::SendMessageA(list, LB_GETTEXT, i, LPARAM(buf));
            lines.push_back(buf);
        }
        description = itemText(dlg, IDC_FUNCTION_DESCRIPTION);
        click(dlg, IDOK);
    });
    CFunctsel dlg;
    dlg.SetSelection(5);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetSelection(), 5);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Tarvik Front View");
    EXPECT_EQ(lines[3], "Quenda Matrix");
    EXPECT_EQ(lines[7], "Pelvo Gamma");
    EXPECT_EQ(lines[11], "Brisal");
    EXPECT_EQ(description, "Fennow Remote Editor Front View");
}

TEST_F(FunctionSelect, ClickingShowsTheDescriptionAndDoubleClickChoosesAtOnce) {
    std::string afterClick;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        ::SendMessageA(list, LB_SETCURSEL, 8, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_SELCHANGE), LPARAM(list));
        afterClick = itemText(dlg, IDC_FUNCTION_DESCRIPTION);
        ::SendMessageA(list, LB_SETCURSEL, 10, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_SELCHANGE), LPARAM(list));
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_DBLCLK), LPARAM(list));
    });
    CFunctsel dlg;
    dlg.SetSelection(0);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(afterClick, "Pelvo Delta Remote Editor Front View");
    EXPECT_EQ(dlg.GetSelection(), 10);
}

TEST_F(FunctionSelect, CancelGivesMinusOneAndNoPreselectionShowsNoDescription) {
    std::string description = "unread";
    int listSelection = 99;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        description = itemText(dlg, IDC_FUNCTION_DESCRIPTION);
        listSelection = int(SendDlgItemMessageA(dlg, IDC_FUNCTION_LIST, LB_GETCURSEL, 0, 0));
        click(dlg, IDCANCEL);
    });
    CFunctsel dlg;
    EXPECT_EQ(dlg.GetSelection(), -1);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetSelection(), -1);
    EXPECT_EQ(description, "");
    EXPECT_EQ(listSelection, LB_ERR);
}

TEST_F(FunctionSelect, F1OpensItsHelpContext) {
    int before = AfxGetLastHelpRequest().count;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        HELPINFO info{};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.hItemHandle = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        ::SendMessageA(dlg, WM_HELP, 0, LPARAM(&info));
        click(dlg, IDCANCEL);
    });
    CFunctsel dlg;
    dlg.DoModal();
    EXPECT_EQ(AfxGetLastHelpRequest().count, before + 1);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(265));
    EXPECT_EQ(AfxGetLastHelpRequest().command, 0x000Fu);
}

TEST(FunctionTable, MenuCommandsMapToRowsAndCountsNeverGoNegative) {
    const UINT commands[12] = {283, 284, 285, 32817, 32819, 32823, 32828, 32835, 32833, 32836, 32834, 32837};
    for (int row = 0; row < 12; ++row) EXPECT_EQ(FunctionFromCommand(commands[row]), row);
    EXPECT_EQ(FunctionFromCommand(57600), -1);
    EXPECT_STREQ(FunctionTable[1].profileKey, "Settings\\tarvikm");
    EXPECT_STREQ(LegacyFunctionNames[0].name, "Tarvik Frontside");
    FunctionTable[4].openWindows = 0;
    ReleaseFunctionRow(4);
    EXPECT_EQ(FunctionTable[4].openWindows, 0);
    AcquireFunctionRow(4);
    AcquireFunctionRow(12);   // out of range: ignored
    EXPECT_EQ(FunctionTable[4].openWindows, 1);
    ReleaseFunctionRow(4);
}
