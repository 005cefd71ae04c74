// The value dialogs, driven through their windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/winapp.h"
#include "panel_res.h"
#include "panel_test_util.h"
#include "support/testsupport.h"

using paneltest::TextList;

namespace {

std::string Text(HWND dialog, int id) {
    char text[200];
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}
void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Command(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }
void Wheel(HWND dialog, int delta, WPARAM keys = 0) { SendMessageA(dialog, WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), 0); }
LRESULT ListMessage(HWND dialog, UINT m, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(dialog, IDC_PANEL_LIST, m, w, l);
}

// Runs a value dialog over the control; act drives it once it shows.
void Open(const char* name, PanelControl& c, std::function<void(HWND)> act) {
    DLGPROC proc = name[0] == 'S' ? SelectInDlgProc : (name[5] == 'O' ? ValueOutDlgProc : ValueInDlgProc);
    bool acted = false;
    testing_support::WhenDialogAppears([&](HWND d) {
        acted = true;
        act(d);
    });
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), name, nullptr, proc, LPARAM(&c)), 1);
    EXPECT_TRUE(acted);
}

PanelControl Number(double value, double min, double max, double step, int decimals = 1, const char* unit = "dB") {
    PanelControl c = paneltest::Control(1, PANEL_NUMBER, 0, 0, 60, 10);
    std::snprintf(c.name, sizeof(c.name), "Gain Trim Output 1");
    std::snprintf(c.unit, sizeof(c.unit), "%s", unit);
    c.value = value, c.min = min, c.max = max, c.step = step, c.decimals = decimals;
    return c;
}

TEST(PanelDialogs, InputValueShowsNameUnitCutValueAndRange) {
    PanelControl c = Number(-12.56, -60, 0, 0.5), whole = Number(-12, -60, 0, 1, 0, "");
    Open("VALUEIN", c, [](HWND d) {
        char title[64];
        GetWindowTextA(d, title, sizeof(title));
        EXPECT_STREQ(title, "Input Value");
        EXPECT_EQ(Text(d, IDC_PANEL_NAME), "Gain Trim Output 1");
        EXPECT_EQ(Text(d, IDC_PANEL_UNIT), "dB");
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "-12.5");
        EXPECT_EQ(Text(d, IDC_PANEL_RANGE), "-60.0 ... 0.0 dB");
        Press(d, IDCANCEL);
    });
    Open("VALUEIN", whole, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "-12");
        EXPECT_EQ(Text(d, IDC_PANEL_RANGE), "-60 ... 0 ");
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(c.value, -12.56);
    EXPECT_EQ(c.flags, 0);
}

TEST(PanelDialogs, TypedNumbersAreReadClampedAndQuantised) {
    const struct { double value, min, max, step; const char* typed; double stored; } cases[] = {
        {0, -10, 10, 0.5, "-3,5", -3.5},  // a comma is a decimal point
        {0, -90, 0, 1, "6", -6},          // in a range that ends at 0, 6 means -6
        {-4, -90, 0, 1, "0", 0},
        {1, 1, 9, 2, "7", 7},
        {1, 1, 9, 2, "6", 7},             // the odd grid
        {0, -10, 10, 0.5, "12", 10},
        {5, 0, 100, 1, "abc", 0},         // no number reads as 0
        {5, 0, 100, 1, "1e999", 5},       // not finite: no number at all
    };
    for (const auto& k : cases) {
        PanelControl c = Number(k.value, k.min, k.max, k.step);
        Open("VALUEIN", c, [&k](HWND d) {
            SetDlgItemTextA(d, IDC_PANEL_VALUE, k.typed);
            Press(d, IDOK);
        });
        EXPECT_EQ(c.value, k.stored) << k.typed;
        EXPECT_EQ(c.flags, k.stored != k.value ? PANEL_MARK_CHANGED : 0) << k.typed;
    }
}

TEST(PanelDialogs, InputValueEditsANameUpToItsLengthAndTheWheelLeavesItAlone) {
    TextList names({"Old", "Next"});
    PanelControl c = paneltest::Control(1, PANEL_TEXT_EDIT, 0, 0, 56, 10);
    c.list = names.data();
    c.max = 9;
    Open("VALUEIN", c, [](HWND d) {
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "Old");
        EXPECT_EQ(Text(d, IDC_PANEL_RANGE), "");
        Wheel(d, 120);
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "Old");
        SetDlgItemTextA(d, IDC_PANEL_VALUE, "Twelve chars");
        Press(d, IDOK);
    });
    EXPECT_STREQ(c.list, "Twelve ch");
    EXPECT_STREQ(c.list + PANEL_LIST_ENTRY, "Next");
    EXPECT_EQ(c.flags, PANEL_MARK_CHANGED);
    c.flags = 0;
    Open("VALUEIN", c, [](HWND d) { Press(d, IDOK); });
    EXPECT_EQ(c.flags, PANEL_MARK_CHANGED) << "OK marks a name even when unchanged";
}

TEST(PanelDialogs, WheelInInputValueCountsFromThePendingValue) {
    PanelControl c = Number(2.0, -10, 10, 0.5);
    Open("VALUEIN", c, [](HWND d) {
        Wheel(d, 240);
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "3.0");
        SetDlgItemTextA(d, IDC_PANEL_VALUE, "7");
        Wheel(d, -120);
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "2.5") << "typed text is not where the wheel goes on from";
        Wheel(d, 120, MK_SHIFT);
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "7.5");
        Wheel(d, 1200, MK_SHIFT);
        EXPECT_EQ(Text(d, IDC_PANEL_VALUE), "10.0");
        Press(d, IDOK);
    });
    EXPECT_EQ(c.value, 10.0);
}

TEST(PanelDialogs, HelpOpensTheControlsContextAndDisplayValueChangesNothing) {
    paneltest::App();
    TextList list({"a", "b"});
    PanelControl c = Number(1, 0, 1, 1);
    c.list = list.data();
    c.help = 228;
    for (const char* name : {"VALUEIN", "VALUEOUT", "SELECTIN"}) {
        int before = AfxGetLastHelpRequest().count;
        Open(name, c, [](HWND d) {
            Press(d, IDC_PANEL_HELP);
            EXPECT_TRUE(IsWindowVisible(d));
            Command(d, IDCANCEL);   // Escape, also where there is no Cancel button
        });
        EXPECT_EQ(AfxGetLastHelpRequest().count, before + 1) << name;
        EXPECT_EQ(AfxGetLastHelpRequest().data, 228u);
        EXPECT_EQ(AfxGetLastHelpRequest().command, 0x000Fu);
    }
    Open("VALUEOUT", c, [](HWND d) {
        char title[64];
        GetWindowTextA(d, title, sizeof(title));
        EXPECT_STREQ(title, "Display Value (No Entry)");
        EXPECT_EQ(Text(d, IDC_PANEL_NAME), "Gain Trim Output 1");
        Press(d, IDOK);
    });
    EXPECT_EQ(c.value, 1.0);
    EXPECT_EQ(c.flags, 0);
}

TEST(PanelDialogs, SelectValueListsTheRangeAndStoresTheChosenLine) {
    TextList entries({"e0", "e1", "e2", "e3", "e4", "e5"});
    PanelControl c = paneltest::Control(1, PANEL_LIST, 0, 0, 60, 10);
    c.list = entries.data();
    c.value = 3, c.min = 1, c.max = 4;
    Open("SELECTIN", c, [](HWND d) {
        ASSERT_EQ(ListMessage(d, LB_GETCOUNT), 4);
        char text[40];
        ListMessage(d, LB_GETTEXT, 0, LPARAM(text));
        EXPECT_STREQ(text, "e1");
        ListMessage(d, LB_GETTEXT, 3, LPARAM(text));
        EXPECT_STREQ(text, "e4");
        EXPECT_EQ(ListMessage(d, LB_GETCURSEL), 2);
        ListMessage(d, LB_SETCURSEL, 0);
        Press(d, IDOK);
    });
    EXPECT_EQ(c.value, 1.0);
    EXPECT_EQ(c.flags, PANEL_MARK_CHANGED);
    Open("SELECTIN", c, [](HWND d) {
        ListMessage(d, LB_SETCURSEL, 3);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_PANEL_LIST, LBN_DBLCLK), LPARAM(GetDlgItem(d, IDC_PANEL_LIST)));
    });
    EXPECT_EQ(c.value, 4.0) << "a double-click on a line chooses it";
    Open("SELECTIN", c, [](HWND d) {
        Wheel(d, 240);
        EXPECT_EQ(ListMessage(d, LB_GETCURSEL), 1) << "a notch away from the user goes one line up";
        ListMessage(d, LB_SETCURSEL, 3);
        Wheel(d, -120);
        EXPECT_EQ(ListMessage(d, LB_GETCURSEL), 2) << "from the pending line, not the clicked one";
        Press(d, IDOK);
    });
    EXPECT_EQ(c.value, 3.0);
    c.flags = 0;
    Open("SELECTIN", c, [](HWND d) {
        ListMessage(d, LB_SETCURSEL, 0);
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(c.value, 3.0);
    EXPECT_EQ(c.flags, 0);
}

TEST(PanelDialogs, OkWithoutASelectedLineWarnsAndStaysOpen) {
    TextList entries({"e0", "e1", "e2", "e3", "e4"});
    PanelControl c = paneltest::Control(1, PANEL_LIST, 0, 0, 60, 10);
    c.list = entries.data();
    c.value = 0, c.min = 1, c.max = 4;   // 0 is no line of the list
    testing_support::MessageBoxRecorder boxes;
    Open("SELECTIN", c, [&boxes](HWND d) {
        EXPECT_EQ(ListMessage(d, LB_GETCURSEL), LB_ERR);
        Press(d, IDOK);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Wrong data selection!");
        EXPECT_EQ(boxes.boxes[0].owner, d);
        EXPECT_EQ(boxes.boxes[0].caption, "");
        EXPECT_EQ(boxes.boxes[0].type & MB_ICONMASK, UINT(MB_ICONWARNING));
        EXPECT_TRUE(IsWindowVisible(d));
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(c.value, 0.0);
    EXPECT_EQ(c.flags, 0);
}

}  // namespace
