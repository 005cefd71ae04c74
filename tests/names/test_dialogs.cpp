// The dialogs are driven through their windows while DoModal runs.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/deviceaddr.h"
#include "app/systemset.h"
#include "framework/winapp.h"
#include "names_res.h"
#include "names_support.h"
#include "support/testsupport.h"

namespace {

const int kList = IDC_DEVICE_LIST, kCombo = IDC_DEVICE_ID_COMBO, kBaud = IDC_BAUD_RATE_LIST;
bool isCombo(int id) { return id == kCombo; }

std::vector<std::string> lines(HWND dlg, int id) {
    std::vector<std::string> out;
    int n = int(SendDlgItemMessageA(dlg, id, isCombo(id) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[256] = "";
        SendDlgItemMessageA(dlg, id, isCombo(id) ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(i), LPARAM(text));
        out.push_back(text);
    }
    return out;
}

int selection(HWND dlg, int id) { return int(SendDlgItemMessageA(dlg, id, isCombo(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0)); }

// Selects a line with the notification a click sends.
void choose(HWND dlg, int id, int line) {
    SendDlgItemMessageA(dlg, id, isCombo(id) ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(line), 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, isCombo(id) ? CBN_SELCHANGE : LBN_SELCHANGE), LPARAM(GetDlgItem(dlg, id)));
}

void click(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dlg, id))); }

std::string nameShown(HWND dlg) {
    char buf[256] = "";
    GetDlgItemTextA(dlg, IDC_DEVICE_NAME, buf, sizeof(buf));
    return buf;
}

void typeName(HWND dlg, const char* text) { SetDlgItemTextA(dlg, IDC_DEVICE_NAME, text); }

// drive must end the dialog with OK or Cancel.
INT_PTR runSystemSet(int code, std::function<void(HWND)> drive) {
    CSystemSet dialog;
    dialog.SetDeviceIndex(code);
    testing_support::WhenDialogAppears(drive);
    return dialog.DoModal();
}

template <typename Dialog>
INT_PTR runWith(int& value, std::function<void(HWND)> drive) {
    Dialog dialog;
    dialog.SetDataPointer(&value);
    testing_support::WhenDialogAppears(drive);
    return dialog.DoModal();
}

const char k20[] = "ABCDEFGHIJKLMNOPQRST";

class NameDialogs : public NamesTest {
protected:
    void SetUp() override {
        NamesTest::SetUp();
        LoadSystemNames();
    }
};

}  // namespace

TEST_F(NameDialogs, EditDeviceNamesInIdModeKeepsTwelveCharactersAndTouchesNoOtherTable) {
    const char* fennowBytes = FennowBankNames[0];
    std::vector<char> fennow(fennowBytes, fennowBytes + sizeof(FennowBankNames));
    std::vector<std::string> shown;
    INT_PTR r = runSystemSet(3, [&](HWND dlg) {
        shown = lines(dlg, kList);
        EXPECT_EQ(selection(dlg, kList), 3);
        EXPECT_EQ(nameShown(dlg), "DEVICE_ID03");
        typeName(dlg, k20);
        choose(dlg, kList, 15);
        EXPECT_EQ(nameShown(dlg), "DEVICE_ID0F");
        typeName(dlg, "Rack 2");
        click(dlg, IDOK);
    });
    EXPECT_EQ(r, IDOK);
    ASSERT_EQ(shown.size(), 16u);
    EXPECT_EQ(shown[10], "ID 0A");
    EXPECT_EQ(shown[15], "ID 0F");
    EXPECT_STREQ(DeviceIdNames[3], "ABCDEFGHIJKL");
    EXPECT_STREQ(DeviceIdNames[15], "Rack 2");
    EXPECT_STREQ(DeviceIdNames[16], " Any ");
    EXPECT_EQ(std::memcmp(fennow.data(), FennowBankNames, fennow.size()), 0);
}

TEST_F(NameDialogs, EditDeviceNamesInBankModesKeepsSixteenCharacters) {
    std::vector<std::string> shown;
    runSystemSet(1010, [&](HWND dlg) {
        shown = lines(dlg, kList);
        EXPECT_EQ(selection(dlg, kList), 10);
        EXPECT_EQ(nameShown(dlg), "DEVICE_B2_ID3 ");
        typeName(dlg, k20);
        click(dlg, IDOK);
    });
    ASSERT_EQ(shown.size(), 64u);
    EXPECT_EQ(shown[0], "Bank1 ID1 ");
    EXPECT_EQ(shown[63], "Bank8 ID8 ");
    EXPECT_STREQ(FennowBankNames[10], "ABCDEFGHIJKLMNOP");
    EXPECT_STREQ(FennowBankNames[64], " Any ");
    EXPECT_STREQ(OmbrelBankNames[10], "Ombrel_B2_ID3 ");

    runSystemSet(2063, [&](HWND dlg) {
        typeName(dlg, k20);
        choose(dlg, kList, 0);
        EXPECT_EQ(nameShown(dlg), "Ombrel_B1_ID1 ");
        click(dlg, IDOK);
    });
    EXPECT_STREQ(OmbrelBankNames[63], "ABCDEFGHIJKLMNOP");
}

TEST_F(NameDialogs, SetToDefaultsReachesTheTableOnlyWithOk) {
    for (SystemName* table : {DeviceIdNames, FennowBankNames, OmbrelBankNames}) SetSystemName(table[5], "Custom");
    INT_PTR r = runSystemSet(1005, [&](HWND dlg) {
        click(dlg, IDC_SET_DEFAULT_NAMES);
        EXPECT_EQ(nameShown(dlg), "Fennow_B1_ID6 ");
        click(dlg, IDCANCEL);
    });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_STREQ(FennowBankNames[5], "Custom");

    for (int code : {5, 1005, 2005}) {
        runSystemSet(code, [&](HWND dlg) {
            click(dlg, IDC_SET_DEFAULT_NAMES);
            click(dlg, IDOK);
        });
    }
    EXPECT_STREQ(DeviceIdNames[5], "DEVICE_ID05");
    EXPECT_STREQ(FennowBankNames[5], "Fennow_B1_ID6 ");
    EXPECT_STREQ(FennowBankNames[63], "Fennow_B8_ID8 ");
    EXPECT_STREQ(OmbrelBankNames[5], "Ombrel_B1_ID6 ");
}

TEST_F(NameDialogs, EditDeviceNamesOpensOnTheFirstLineForCodesOutOfRangeAndAsksForHelp260) {
    struct { int code; size_t lines; const char* name; } cases[] = {
        {127, 16, "DEVICE_ID00"}, {-5, 16, "DEVICE_ID00"}, {1064, 64, "DEVICE_B1_ID1 "}, {2064, 64, "Ombrel_B1_ID1 "}};
    for (auto& c : cases) {
        runSystemSet(c.code, [&](HWND dlg) {
            EXPECT_EQ(lines(dlg, kList).size(), c.lines) << c.code;
            EXPECT_EQ(selection(dlg, kList), 0) << c.code;
            EXPECT_EQ(nameShown(dlg), c.name) << c.code;
            click(dlg, IDCANCEL);
        });
    }
    int before = AfxGetLastHelpRequest().count;
    runSystemSet(0, [&](HWND dlg) {
        click(dlg, IDC_NAMES_HELP);
        HELPINFO info = {sizeof(info), HELPINFO_WINDOW, kList, GetDlgItem(dlg, kList), 0, {0, 0}};
        SendMessageA(dlg, WM_HELP, 0, LPARAM(&info));
        click(dlg, IDCANCEL);
    });
    EXPECT_EQ(AfxGetLastHelpRequest().count, before + 2);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(260));
    EXPECT_EQ(AfxGetLastHelpRequest().command, 0x000Fu);
}

TEST_F(NameDialogs, SelectDeviceShowsIdsWithNamesAndReturnsTheLineOr127) {
    SetSystemName(DeviceIdNames[5], "A name of twenty-nine letters");
    int value = 127;
    std::vector<std::string> shown;
    runWith<CSelDevID>(value, [&](HWND dlg) {
        shown = lines(dlg, kCombo);
        EXPECT_EQ(selection(dlg, kCombo), 16);
        choose(dlg, kCombo, 5);
        click(dlg, IDOK);
    });
    EXPECT_EQ(value, 5);
    ASSERT_EQ(shown.size(), 17u);
    EXPECT_EQ(shown[3], "03 -   DEVICE_ID03");
    EXPECT_EQ(shown[5], "05 - A name of twen");   // cut at 19 characters
    EXPECT_EQ(shown[15], "0F -   DEVICE_ID0F");
    EXPECT_EQ(shown[16], "all");
    runWith<CSelDevID>(value, [&](HWND dlg) {
        EXPECT_EQ(selection(dlg, kCombo), 5);
        choose(dlg, kCombo, 16);
        click(dlg, IDOK);
    });
    EXPECT_EQ(value, 127);
}

TEST_F(NameDialogs, ProgramDeviceIdOffersIdsOrBanks) {
    int value = -1;
    std::vector<std::string> ids, banks;
    runWith<CProgDevID>(value, [&](HWND dlg) {
        ids = lines(dlg, kCombo);
        EXPECT_EQ(selection(dlg, kCombo), 0);
        choose(dlg, kCombo, 12);
        click(dlg, IDOK);
    });
    EXPECT_EQ(value, 12);
    value = 1000;
    runWith<CProgDevID>(value, [&](HWND dlg) {
        banks = lines(dlg, kCombo);
        EXPECT_EQ(selection(dlg, kCombo), 0);
        choose(dlg, kCombo, 10);
        click(dlg, IDOK);
    });
    EXPECT_EQ(value, 10);
    ASSERT_EQ(ids.size(), 16u);
    EXPECT_EQ(ids[12], "0C");
    ASSERT_EQ(banks.size(), 64u);
    EXPECT_EQ(banks[10], "Bank2 ID3 ");
    EXPECT_EQ(banks[63], "Bank8 ID8 ");
}

TEST_F(NameDialogs, BaudRateMapsCodesToLinesAndBack) {
    const int lineOfCode[] = {0, 1, 3, 2, 1, 0, LB_ERR, LB_ERR};   // codes 0..7
    for (int code = -1; code <= 7; ++code) {
        int value = code, selected = 0;
        std::vector<std::string> shown;
        runWith<CSelBaudrate>(value, [&](HWND dlg) {
            shown = lines(dlg, kBaud);
            selected = selection(dlg, kBaud);
            click(dlg, IDOK);
        });
        EXPECT_EQ(shown, (std::vector<std::string>{"9600", "19200", "38400", "115200"}));
        EXPECT_EQ(selected, code < 0 ? LB_ERR : lineOfCode[code]) << code;
    }
    const int codeOfLine[] = {0, 1, 3, 2};
    for (int line = 0; line < 4; ++line) {
        int value = 0;
        runWith<CSelBaudrate>(value, [&](HWND dlg) {
            choose(dlg, kBaud, line);
            click(dlg, IDOK);
        });
        EXPECT_EQ(value, codeOfLine[line]) << line;
    }
}

TEST_F(NameDialogs, CancelLeavesTheValueAndOkWithoutALineGivesMinusOne) {
    struct { int start; INT_PTR (*run)(int&, std::function<void(HWND)>); int list; } cases[] = {
        {9, runWith<CSelDevID>, kCombo}, {-1, runWith<CProgDevID>, kCombo},
        {1000, runWith<CProgDevID>, kCombo}, {2, runWith<CSelBaudrate>, kBaud}};
    for (auto& c : cases) {
        int value = c.start;
        EXPECT_EQ(c.run(value, [&](HWND dlg) {
            choose(dlg, c.list, 2);
            click(dlg, IDCANCEL);
        }), IDCANCEL);
        EXPECT_EQ(value, c.start);
        EXPECT_EQ(c.run(value, [&](HWND dlg) {
            choose(dlg, c.list, -1);
            click(dlg, IDOK);
        }), IDOK);
        EXPECT_EQ(value, -1) << c.start;
    }
}
