// The About box: its controls, and the web link's look, cursor and click.
#include <algorithm>
#include <cstring>

#include "app/aboutdlg.h"
#include "dialogs_res.h"
#include "resource.h"
#include "shell_fixture.h"

namespace {

HWND childWithText(HWND dlg, const char* text) {
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char buf[128] = "";
        GetWindowTextA(c, buf, sizeof(buf));
        if (lstrcmpA(buf, text) == 0) return c;
    }
    return nullptr;
}

LONG styleOf(HWND w) { return GetWindowLongA(w, GWL_STYLE); }

struct ShellCall {
    bool onlyFileGiven;
    std::string file;
    int show;
};
std::vector<ShellCall> g_shellCalls;

void recordShellExecute(HWND owner, const char* verb, const char* file, const char* params, const char* dir, int show) {
    g_shellCalls.push_back({!owner && !verb && !params && !dir, file ? file : "", show});
}

}  // namespace

class About : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        g_shellCalls.clear();
        m_oldHook = CAboutDlg::SetShellExecuteHook(recordShellExecute);
    }
    void TearDown() override {
        CAboutDlg::SetShellExecuteHook(m_oldHook);
        ShellTest::TearDown();
    }
    CAboutDlg::ShellExecuteHook m_oldHook = nullptr;
};

TEST_F(About, TheCommandShowsTheBoxWithItsTextsIconAndLink) {
    testing_support::WhenDialogAppears([&](HWND dlg) {
        char caption[64] = "";
        GetWindowTextA(dlg, caption, sizeof(caption));
        EXPECT_STREQ(caption, "About Vantor");
        RECT client, size = {0, 0, 217, 84}, link, place = {60, 66, 154, 74};
        GetClientRect(dlg, &client);
        MapDialogRect(dlg, &size);
        MapDialogRect(dlg, &place);
        GetWindowRect(GetDlgItem(dlg, IDC_WEB_LINK), &link);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&link), 2);
        EXPECT_TRUE(EqualRect(&client, &size));
        EXPECT_TRUE(EqualRect(&link, &place));
        EXPECT_NE(childWithText(dlg, "Copyright (C) Tesmer Audio"), nullptr);
        EXPECT_NE(childWithText(dlg, "Version 1.71"), nullptr);
        EXPECT_TRUE(styleOf(childWithText(dlg, "Tesmer Vantor")) & SS_NOPREFIX);
        HWND web = childWithText(dlg, "https://www.tesmer.example");
        EXPECT_EQ(GetDlgCtrlID(web), IDC_WEB_LINK);
        EXPECT_TRUE(styleOf(web) & SS_NOTIFY) << "clicks must reach the dialog";
        EXPECT_EQ(styleOf(GetDlgItem(dlg, IDOK)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_EQ(styleOf(GetDlgItem(dlg, IDC_ABOUT_ICON)) & SS_TYPEMASK, SS_ICON);
        EXPECT_NE(SendDlgItemMessageA(dlg, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);
        ::SendMessageA(dlg, WM_COMMAND, IDOK, LPARAM(GetDlgItem(dlg, IDOK)));
    });
    EXPECT_TRUE(theApp.OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr));
}

TEST_F(About, LinkIsBlueAndUnderlinedWithOneFontFreedWithTheBox) {
    HGDIOBJ fonts[2] = {};
    LOGFONTA made{};
    int blue = 0, longestRun = 0, first = 1 << 20, last = -1;
    COLORREF corner = 0;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        // On the screen: blue, underlined from end to end, on the dialog's background.
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT r;
        GetWindowRect(GetDlgItem(dlg, IDC_WEB_LINK), &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        HDC screen = GetDC(dlg);
        corner = GetPixel(screen, r.left, r.top);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left, run = 0; x < r.right; ++x) {
                run = GetPixel(screen, x, y) == RGB(0, 0, 255) ? run + 1 : 0;
                if (!run) continue;
                ++blue;
                longestRun = std::max(longestRun, run);
                first = std::min(first, x);
                last = std::max(last, x);
            }
        ReleaseDC(dlg, screen);

        HWND link = GetDlgItem(dlg, IDC_WEB_LINK);
        HWND version = childWithText(dlg, "Version 1.71");
        for (HWND control : {link, link, version}) {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
            LRESULT brush = ::SendMessageA(dlg, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control));
            HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
            if (control == link) {
                EXPECT_EQ(brush, LRESULT(GetStockObject(NULL_BRUSH))) << "drawn on the dialog's background";
                EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
                EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
                fonts[fonts[0] ? 1 : 0] = font;
            } else {
                EXPECT_NE(brush, 0);
                EXPECT_NE(brush, LRESULT(GetStockObject(NULL_BRUSH)));
                EXPECT_NE(GetTextColor(dc), RGB(0, 0, 255));
                EXPECT_EQ(font, before);
            }
            SelectObject(dc, before);
            DeleteDC(dc);
        }
        GetObjectA(fonts[0], sizeof(made), &made);
        EndDialog(dlg, IDOK);
    });
    CAboutDlg dlg;
    dlg.DoModal();
    EXPECT_GT(blue, 40);
    EXPECT_GE(longestRun * 10, (last - first + 1) * 9) << "an underline under the whole address";
    EXPECT_EQ(corner, GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(fonts[1], fonts[0]) << "one font for every repaint";
    LOGFONTA expected{};
    expected.lfHeight = 8;
    expected.lfWeight = FW_NORMAL;
    expected.lfUnderline = TRUE;
    lstrcpynA(expected.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    EXPECT_EQ(std::memcmp(&made, &expected, sizeof(made)), 0) << made.lfFaceName << " " << made.lfHeight;
    EXPECT_EQ(GetObjectType(fonts[0]), 0u) << "deleted with the dialog";
}

TEST_F(About, HandCursorAndClickBelongToTheLinkOnly) {
    const LPARAM mouse = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    HCURSOR overLink = nullptr, overText = nullptr;
    ULONG_PTR classCursor = 0;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        // The system asks the link, which asks its dialog; plain texts let the
        // mouse through, so over them the dialog is asked for itself, and
        // leaving the link must give the arrow back.
        HWND link = GetDlgItem(dlg, IDC_WEB_LINK), version = childWithText(dlg, "Version 1.71");
        ::SendMessageA(link, WM_SETCURSOR, WPARAM(link), mouse);
        overLink = GetCursor();
        ::SendMessageA(dlg, WM_SETCURSOR, WPARAM(dlg), mouse);
        overText = GetCursor();
        for (HWND control : {version, link}) {
            ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        }
        classCursor = GetClassLongPtrA(GetDlgItem(dlg, IDC_WEB_LINK), GCLP_HCURSOR);
        EndDialog(dlg, IDOK);
    });
    CAboutDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(overLink, LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(overText, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_NE(classCursor, ULONG_PTR(LoadCursor(nullptr, IDC_HAND))) << "every static shares the class";
    ASSERT_EQ(g_shellCalls.size(), 1u) << "the link's click only";
    EXPECT_EQ(g_shellCalls[0].file, "https://www.tesmer.example");
    EXPECT_EQ(g_shellCalls[0].show, SW_SHOWDEFAULT);
    EXPECT_TRUE(g_shellCalls[0].onlyFileGiven);
}
