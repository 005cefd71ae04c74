// The value dialogs: "Input Value" types a number or a name, "Display Value"
// shows a control's name, "Select Value" picks a list entry. They run one at
// a time, so their state is global. Every way out ends the dialog with 1; a
// change shows only in the control's value and flags.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/winapp.h"
#include "panel/panel.h"
#include "panel/panel_internal.h"
#include "panel_res.h"

namespace {

PanelControl* g_control = nullptr;
double g_pending = 0.0;   // the value the wheel moves
int g_listBase = 0;       // value of the first line of "Select Value"
char g_text[100];

void ShowHelp() {
    if (AfxGetApp() && g_control) AfxGetApp()->HtmlHelp(DWORD_PTR(g_control->help), 0x000F /* HH_HELP_CONTEXT */);
}

void ShowName(HWND dialog, const PanelControl& c) {
    char name[sizeof(c.name) + 1];
    size_t n = panel::NameLength(c);
    std::memcpy(name, c.name, n);
    name[n] = '\0';
    SetDlgItemTextA(dialog, IDC_PANEL_NAME, name);
}

void ShowCutValue(HWND dialog, double value) {
    char text[panel::kNumberText];
    panel::FormatCut(value, g_control->decimals, text);
    SetDlgItemTextA(dialog, IDC_PANEL_VALUE, text);
}

void StoreIfDifferent(PanelControl& c, double v) {
    if (v == c.value) return;
    c.value = v;
    c.flags |= PANEL_MARK_CHANGED;
}

void InitValueIn(HWND dialog) {
    PanelControl& c = *g_control;
    char unit[sizeof(c.unit) + 1];
    size_t unitLen = panel::UnitLength(c);
    std::memcpy(unit, c.unit, unitLen);
    unit[unitLen] = '\0';
    ShowName(dialog, c);
    SetDlgItemTextA(dialog, IDC_PANEL_UNIT, unit);
    g_pending = 0.0;
    if (c.type == PANEL_TEXT_EDIT) {
        char entry[panel::kEntryText];
        panel::ListEntryText(c, 0, entry);
        SetDlgItemTextA(dialog, IDC_PANEL_VALUE, entry);
        return;
    }
    g_pending = c.value;
    ShowCutValue(dialog, c.value);
    char low[panel::kNumberText], high[panel::kNumberText], range[2 * panel::kNumberText + 20];
    panel::FormatCut(c.min, c.decimals, low);
    panel::FormatCut(c.max, c.decimals, high);
    std::snprintf(range, sizeof(range), "%s ... %s %s", low, high, unit);
    SetDlgItemTextA(dialog, IDC_PANEL_RANGE, range);
}

void AcceptValueIn(HWND dialog) {
    PanelControl& c = *g_control;
    GetDlgItemTextA(dialog, IDC_PANEL_VALUE, g_text, 99);
    if (c.type == PANEL_TEXT_EDIT) {
        // The text field is one 30-byte list entry, terminator included.
        int n = panel::TruncToInt(c.max);
        if (n > PANEL_LIST_ENTRY - 1) n = PANEL_LIST_ENTRY - 1;
        if (n < 0) n = 0;
        if (c.list) {
            size_t len = strnlen(g_text, size_t(n));
            std::memcpy(c.list, g_text, len);
            std::memset(c.list + len, 0, size_t(n) - len + 1);
        }
        c.flags |= PANEL_MARK_CHANGED;
        return;
    }
    if (char* comma = std::strchr(g_text, ',')) *comma = '.';
    double v = std::atof(g_text);
    if (!std::isfinite(v)) return;   // "inf" or an overflow is no number
    // In a range that ends at 0 a typed 12 means -12.
    if (c.max <= 0 && v > 0) v = -v;
    StoreIfDifferent(c, panel::Quantise(panel::Clamp(v, c), c));
}

void ChooseListLine(HWND dialog) {
    LRESULT line = SendDlgItemMessageA(dialog, IDC_PANEL_LIST, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) {
        MessageBeep(MB_ICONEXCLAMATION);
        AfxShowMessageBox(dialog, "Wrong data selection!", nullptr, MB_ICONWARNING);
        return;
    }
    StoreIfDifferent(*g_control, panel::Clamp(double(line) + g_listBase, *g_control));
    EndDialog(dialog, 1);
}

// Cancel (also the Escape key) and Help work alike in all three dialogs.
INT_PTR CommonCommand(HWND dialog, WORD id) {
    if (id == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (id == IDC_PANEL_HELP) {
        ShowHelp();
        return TRUE;
    }
    return FALSE;
}

void SelectPendingLine(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PANEL_LIST, LB_SETCURSEL,
                        WPARAM(panel::TruncToInt(g_pending) - g_listBase), 0);
}

}  // namespace

INT_PTR CALLBACK ValueInDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        g_control = reinterpret_cast<PanelControl*>(lParam);
        InitValueIn(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            AcceptValueIn(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        }
        return CommonCommand(dialog, LOWORD(wParam));
    case WM_MOUSEWHEEL: {
        // A name being typed is no number to scroll.
        if (g_control->type == PANEL_TEXT_EDIT) return TRUE;
        const int m = (wParam & MK_SHIFT) ? 10 : 1;
        const int notches = short(HIWORD(wParam)) / 120;
        g_pending = panel::Clamp(g_pending + (notches * m) * g_control->step, *g_control);
        ShowCutValue(dialog, g_pending);
        return TRUE;
    }
    }
    return FALSE;
}

INT_PTR CALLBACK ValueOutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        g_control = reinterpret_cast<PanelControl*>(lParam);
        ShowName(dialog, *g_control);
        return TRUE;
    case WM_COMMAND:
        // Nothing to take over: OK closes it as Cancel does.
        return CommonCommand(dialog, LOWORD(wParam) == IDOK ? WORD(IDCANCEL) : LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR CALLBACK SelectInDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        g_control = reinterpret_cast<PanelControl*>(lParam);
        PanelControl& c = *g_control;
        ShowName(dialog, c);
        g_listBase = panel::TruncToInt(c.min);
        const int last = panel::TruncToInt(c.max);
        char entry[panel::kEntryText];
        for (int i = g_listBase; i <= last; ++i) {
            // A negative line has no entry; it stays blank so that line
            // numbers still count from the base.
            panel::ListEntryText(c, i, entry);
            SendDlgItemMessageA(dialog, IDC_PANEL_LIST, LB_ADDSTRING, 0, LPARAM(entry));
        }
        g_pending = c.value;
        SelectPendingLine(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        // A double-click on a line is OK for that line; other list notices are ignored.
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_PANEL_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            ChooseListLine(dialog);
            return TRUE;
        }
        return CommonCommand(dialog, LOWORD(wParam));
    case WM_MOUSEWHEEL: {
        // A notch away from the user moves the selection one line up.
        g_pending = panel::Clamp(g_pending - short(HIWORD(wParam)) / 120, *g_control);
        SelectPendingLine(dialog);
        return TRUE;
    }
    }
    return FALSE;
}
