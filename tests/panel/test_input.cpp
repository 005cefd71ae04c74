// Mouse and key messages through a real view window's queue into the engine,
// the way a view's message pre-translation hands them over.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "panel_test_util.h"
#include "support/testsupport.h"

namespace {

class PanelInput : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VantorPanelInputTest";
        RegisterClassA(&wc);
        view = CreateWindowExA(0, wc.lpszClassName, "panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 400, 300,
                               nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(view, nullptr);
        controls.reserve(16);   // the tests hold references into it
        testing_support::PumpMessages();
    }
    void TearDown() override { DestroyWindow(view); }

    // Posts a message to the view and runs the queue; the engine gets the
    // message when it comes out. Returns what the engine reported.
    int Post(UINT message, WPARAM wParam, int x, int y) {
        const LPARAM lParam = MAKELPARAM(x, y);
        PostMessageA(view, message, wParam, lParam);
        int result = -1;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == view && msg.message == message && msg.wParam == wParam && msg.lParam == lParam)
                result = PanelHandleMessage(view, controls.data(), int(controls.size()), message, wParam, lParam);
            DispatchMessageA(&msg);
        }
        return result;
    }
    int Down(int x, int y, WPARAM keys = 0) { return Post(WM_LBUTTONDOWN, MK_LBUTTON | keys, x, y); }
    int Move(int x, int y, WPARAM keys = MK_LBUTTON) { return Post(WM_MOUSEMOVE, keys, x, y); }
    int Up(int x, int y) { return Post(WM_LBUTTONUP, 0, x, y); }
    int Click(int x, int y) {
        int r = Down(x, y);
        Up(x, y);
        return r;
    }
    int DoubleClick(int x, int y) { return Post(WM_LBUTTONDBLCLK, MK_LBUTTON, x, y); }
    int Wheel(int delta, WPARAM keys = 0) { return Post(WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), 350, 350); }
    int Enter() { return Post(WM_KEYDOWN, VK_RETURN, 1, 0); }

    PanelControl& Add(int type, int x, int y, int w, int h, double value = 0, double min = 0, double max = 100,
                      double step = 1) {
        controls.push_back(paneltest::Control(int(controls.size()), type, x, y, w, h));
        PanelControl& c = controls.back();
        c.value = value, c.min = min, c.max = max, c.step = step;
        return c;
    }

    // Expects fn to open the dialog with this title; closes it with Cancel.
    int ExpectDialog(const char* title, const std::function<int()>& fn) {
        std::string seen;
        testing_support::WhenDialogAppears([&seen](HWND dialog) {
            char text[100];
            GetWindowTextA(dialog, text, sizeof(text));
            seen = text;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        int r = fn();
        EXPECT_EQ(seen, title);
        return r;
    }

    HWND view = nullptr;
    std::vector<PanelControl> controls;
};

TEST_F(PanelInput, DragMovesANumberOneStepPerEightPixelsAndReanchorsOnShift) {
    PanelControl& c = Add(PANEL_NUMBER, 10, 40, 60, 10, 0, -100, 100, 0.5);
    EXPECT_EQ(Down(20, 50), 2);
    EXPECT_EQ(c.flags, PANEL_SELECTED | PANEL_REDRAW);
    EXPECT_EQ(GetCapture(), view);
    EXPECT_EQ(Move(20, 30), 2) << "20 pixels: 2 steps";
    EXPECT_EQ(c.value, 1.0);
    EXPECT_EQ(c.flags, PANEL_SELECTED | PANEL_MARK_CHANGED);
    EXPECT_EQ(Move(20, 34), 0) << "16 pixels: the same 2 steps";
    EXPECT_EQ(Move(20, 34, MK_LBUTTON | MK_SHIFT), 0) << "Shift re-anchors without a jump";
    EXPECT_EQ(Move(20, 29, MK_LBUTTON | MK_SHIFT), 0) << "5 pixels are no step, not half of ten";
    EXPECT_EQ(Move(20, 26, MK_LBUTTON | MK_SHIFT), 2);
    EXPECT_EQ(c.value, 6.0) << "ten steps per 8 pixels from the new anchor";
    EXPECT_EQ(Move(20, 26), 0);
    Move(20, 18);
    EXPECT_EQ(c.value, 6.5);
    EXPECT_EQ(Move(20, 10, 0), 0) << "a move without the button ends the drag";
    EXPECT_EQ(Move(20, 2), 0);
    EXPECT_EQ(c.value, 6.5);
    EXPECT_EQ(Up(20, 2), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_NE(c.flags & PANEL_SELECTED, 0) << "the selection outlives the drag";
    EXPECT_EQ(Down(200, 200), 2) << "a press elsewhere deselects";
    EXPECT_EQ(c.flags & (PANEL_SELECTED | PANEL_REDRAW), PANEL_REDRAW);
    Up(200, 200);
    EXPECT_EQ(Down(200, 200), 0);
}

TEST_F(PanelInput, ListsWrapOnlyWhenTheyWrapAndTheWheelTakesStepAndShift) {
    PanelControl& wrap = Add(PANEL_LIST_WRAP, 10, 10, 40, 10, 7, 0, 7);
    PanelControl& list = Add(PANEL_LIST, 10, 30, 40, 10, 7, 0, 7);
    Down(20, 15);
    EXPECT_EQ(Move(20, 3), 2);
    EXPECT_EQ(wrap.value, 0.0) << "one entry up from the last is the first";
    Up(20, 3);
    EXPECT_EQ(Wheel(-120), 2);
    EXPECT_EQ(wrap.value, 7.0);
    EXPECT_EQ(Wheel(60), 0) << "less than a notch";
    EXPECT_EQ(Wheel(240, MK_SHIFT), 2);
    EXPECT_EQ(wrap.value, 3.0) << "20 entries on in a list of 8";
    Click(20, 35);
    list.flags = PANEL_SELECTED;
    EXPECT_EQ(Wheel(120), 0) << "a list at its end stays, unreported";
    EXPECT_EQ(list.flags, PANEL_SELECTED);
    // After a device reply the wheel compares with its own last value.
    list.value = 6;
    EXPECT_EQ(Wheel(120), 0);
    EXPECT_EQ(list.value, 7.0);
}

TEST_F(PanelInput, SliderFollowsThePixelAndTheKnobBothAxes) {
    PanelControl& slider = Add(PANEL_SLIDER, 10, 10, 20, 100, 50, 0, 100, 10);
    PanelControl& knob = Add(PANEL_KNOB, 100, 10, 40, 40, 50, 0, 1000, 2);
    Down(20, 60);
    Move(20, 53);
    EXPECT_EQ(slider.value, 57.0) << "one unit per pixel, no step";
    Up(20, 53);
    Down(120, 30);
    Move(126, 26, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(knob.value, 50.0 + 2 * 20 + 2 * 30) << "2 and 3 steps of 2, ten times with Shift";
    Up(126, 26);
}

TEST_F(PanelInput, SwitchesToggleOnThePressAndEveryHitOneToggles) {
    PanelControl& left = Add(PANEL_SWITCH, 0, 0, 12, 10, 0, 0, 1);
    PanelControl& right = Add(PANEL_SWITCH, 12, 0, 12, 10, 0, 0, 1);
    PanelControl& below = Add(PANEL_SWITCH, 12, 10, 12, 10, 0, 0, 1);
    EXPECT_EQ(Down(5, 5), 2);
    EXPECT_EQ(left.value, 1.0);
    EXPECT_EQ(left.flags, PANEL_MARK_CHANGED);
    Up(5, 5);
    EXPECT_EQ(DoubleClick(5, 5), 2) << "the second press of a double-click opens nothing";
    EXPECT_EQ(left.value, 1.0);
    Up(5, 5);
    EXPECT_EQ(Down(12, 10), 2) << "a corner that three switches share: edges count for each";
    EXPECT_EQ(left.value, 0.0);
    EXPECT_EQ(right.value, 1.0);
    EXPECT_EQ(below.value, 1.0);
    Up(12, 10);
}

TEST_F(PanelInput, GreyedAndHiddenControlsTakeNoInputEvenWhenStillSelected) {
    PanelControl& grey = Add(PANEL_NUMBER, 10, 10, 60, 10, 5);
    PanelControl& hidden = Add(PANEL_SWITCH, 10, 30, 13, 10, 0, 0, 1);
    grey.flags = PANEL_GREYED;
    hidden.flags = PANEL_HIDDEN;
    EXPECT_EQ(Click(20, 15), 0);
    EXPECT_EQ(Click(15, 35), 0);
    EXPECT_EQ(hidden.value, 0.0);
    EXPECT_EQ(DoubleClick(20, 15), 0);
    grey.flags = 0;
    Click(20, 15);
    grey.flags |= PANEL_GREYED;   // greyed by the view after the click
    EXPECT_EQ(Wheel(120), 0);
    EXPECT_EQ(Enter(), 0);
    EXPECT_EQ(grey.value, 5.0);
    grey.flags = PANEL_NO_DIALOG;
    EXPECT_EQ(DoubleClick(20, 15), 0);
}

TEST_F(PanelInput, EnterAndDoubleClickOpenTheDialogOfTheType) {
    paneltest::TextList names({"Name"});
    PanelControl& number = Add(PANEL_NUMBER, 10, 10, 60, 10, 5);
    Add(PANEL_LIST, 10, 30, 60, 10, 0, 0, 0).list = names.data();
    Add(PANEL_NUMBER_DISPLAY, 10, 50, 60, 10);
    Add(PANEL_TEXT_EDIT, 10, 70, 60, 10, 0, 0, 9).list = names.data();
    Add(PANEL_KNOB, 100, 10, 40, 40);
    EXPECT_EQ(Enter(), 0) << "nothing selected";
    Click(20, 15);
    EXPECT_EQ(ExpectDialog("Input Value", [&] { return Enter(); }), 2);
    Click(20, 35);
    EXPECT_EQ(ExpectDialog("Select Value", [&] { return Enter(); }), 2);
    Click(120, 30);
    EXPECT_EQ(Enter(), 2) << "a selected knob reports Enter but has no dialog";
    EXPECT_EQ(ExpectDialog("Display Value (No Entry)", [&] { return DoubleClick(20, 55); }), 2);
    EXPECT_EQ(ExpectDialog("Input Value", [&] { return DoubleClick(20, 75); }), 2);
    EXPECT_EQ(ExpectDialog("Select Value", [&] { return DoubleClick(20, 35); }), 2);
    EXPECT_EQ(ExpectDialog("Input Value", [&] { return DoubleClick(20, 15); }), 2);
    EXPECT_EQ(number.value, 5.0);
    Add(PANEL_STATIC_BITMAP, 0, 0, 400, 300);
    EXPECT_EQ(DoubleClick(300, 200), 2) << "the background: reported, no dialog";
}

TEST_F(PanelInput, AViewClosedWhileItsDialogRunsIsLeftAlone) {
    Add(PANEL_NUMBER, 10, 10, 60, 10, 5);
    PanelControl& second = Add(PANEL_NUMBER, 10, 10, 60, 10, 5);
    int dialogs = 0;
    testing_support::WhenDialogAppears([&](HWND) {
        ++dialogs;
        DestroyWindow(view);   // e.g. a workspace load from another window
    });
    EXPECT_EQ(DoubleClick(20, 15), 0) << "no report on behalf of a closed view";
    testing_support::PumpMessages(100);
    EXPECT_EQ(dialogs, 1) << "the second control's dialog is not opened for it";
    EXPECT_EQ(second.flags, 0);
}

TEST_F(PanelInput, IconicWindowsAndWindowMessages) {
    paneltest::CoordBitmaps bm;
    bm.add(7, 4, 4);
    HDC screen = GetDC(nullptr);
    for (UINT m : {WM_DESTROY, WM_DEVMODECHANGE}) {   // both free the bitmap cache
        HDC context = GetBitmapDC(screen, 7);
        ASSERT_NE(context, nullptr);
        EXPECT_EQ(PanelHandleMessage(view, nullptr, 0, m, 0, 0), 0);
        EXPECT_EQ(GetObjectType(context), 0u) << "the message freed the cache";
    }
    ReleaseDC(nullptr, screen);
    ValidateRect(view, nullptr);
    EXPECT_EQ(PanelHandleMessage(view, nullptr, 0, WM_DISPLAYCHANGE, 32, 0), 0);
    EXPECT_TRUE(GetUpdateRect(view, nullptr, FALSE));
    Add(PANEL_SWITCH, 10, 10, 13, 10, 0, 0, 1);
    ShowWindow(view, SW_MINIMIZE);
    EXPECT_EQ(PanelHandleMessage(view, controls.data(), 1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15)), 0);
    EXPECT_EQ(controls[0].value, 0.0);
}

}  // namespace
