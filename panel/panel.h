// The panel-control engine: a view's front panel is an array of PanelControl
// records that the view owns; these free functions change, save, paint and
// edit them. The engine never sends anything to a device: it only sets the
// changed flag, and the view sends and clears it.
#pragma once
#include <windows.h>

class CArchive;

// State bits of PanelControl::flags.
enum PanelFlag : int {
    PANEL_SELECTED = 0x0001,      // target of Enter, drag and wheel
    PANEL_CHANGED = 0x0002,       // to be sent by the view
    PANEL_REDRAW = 0x0008,
    PANEL_MARK_CHANGED = 0x000A,  // changed together with redraw
    PANEL_HIDDEN = 0x0020,
    PANEL_GREYED = 0x0040,        // text on grey, no mouse input, no dialog
    PANEL_BLINK = 0x0080,
    PANEL_SUNKEN = 0x0100,        // sunken frame on a full paint
    PANEL_VERTICAL = 0x0200,      // vertical text
    PANEL_LED_OFF = 0x0400,
    PANEL_LED_ON = 0x0800,
    PANEL_NO_DIALOG = 0x1000,     // no dialog on double-click
    PANEL_NOT_SAVED = 0x4000,
    PANEL_GREY_FILL = 0x8000,
};

// Control types, as stored in the views' template tables.
enum PanelType : int {
    PANEL_LOGICAL = 0,
    PANEL_NUMBER = 1,
    PANEL_NUMBER_DISPLAY = 2,
    PANEL_SWITCH = 3,
    PANEL_LIST = 4,
    PANEL_LIST_WRAP = 5,
    PANEL_LIST_DISPLAY = 6,
    PANEL_TEXT_EDIT = 7,
    PANEL_TEXT_FIXED = 8,
    PANEL_BAR = 10,
    PANEL_BAR_PEAK = 11,
    PANEL_SEGMENT_CAP6 = 12,
    PANEL_SEGMENT_CAP9 = 13,
    PANEL_BAR_PLAIN = 14,
    PANEL_PEAK_METER = 15,
    PANEL_BAR_INSET = 16,
    PANEL_BAR_INSET_PEAK = 17,
    PANEL_DB_METER = 20,
    PANEL_DB_DOT = 21,
    PANEL_SCALE = 22,
    PANEL_LABELS_HORZ = 23,
    PANEL_PEAK_HORZ = 24,
    PANEL_SLIDER = 30,
    PANEL_KNOB = 31,
    PANEL_BAR_DB = 32,
    PANEL_BAR_DB_PEAK = 33,
    PANEL_LEVEL_NUMBER = 34,
    PANEL_LABELS_VERT = 35,
    PANEL_FIXED_BITMAP = 36,
    PANEL_LED = 37,
    PANEL_STATIC_BITMAP = 100,
};

// Entries of a control's text list are this many bytes apart.
const int PANEL_LIST_ENTRY = 30;

struct PanelControl {
    int id;               // slot in the table's index
    char name[60];
    int type;
    int bitmap;           // resource id; the glyph strip for text types
    double value;
    double min;
    double max;           // type 7: longest text; types 23, 35: last label
    double defaultValue;  // kept for the view; the engine never reads it
    double step;          // bars and meters: segment size; slider: knob height
    int decimals;
    char unit[12];
    int x, y, w, h;
    int flags;
    char* list;           // 30-byte entries; types 7 and 8 use the text at list
    int help;             // HTML Help context of the value dialogs
    int hold;             // kept for the view
    int lastLength;       // pixels the last paint of a bar drew; -1: none
    int viewWord;         // kept for the view
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(PanelControl) == 168, "views and files rely on the 168-byte record");
#endif

struct PanelControlTable {
    PanelControl* controls;
    PanelControl** index;   // indexSize entries, by id
    int count;
    int indexSize;
    int panelWidth;         // kept for the view
    int panelHeight;
};

// ---- model
void PanelInitTable(PanelControlTable* table, PanelControl* controls, PanelControl** index, int count,
                    int indexSize, int panelWidth, int panelHeight);
void PanelBuildIndex(PanelControlTable* table);
BOOL PanelSetValue(double value, int id, PanelControlTable* table);   // user edit: marks changed
BOOL PanelShowValue(double value, int id, PanelControlTable* table);  // device reply: redraw only
BOOL PanelInvalidate(int id, PanelControlTable* table);
BOOL PanelMarkChanged(int id, PanelControlTable* table);
BOOL PanelSetFlags(int mask, BOOL on, int id, PanelControlTable* table);
BOOL PanelSetVisible(BOOL visible, int id, PanelControlTable* table);
BOOL PanelSetBlink(BOOL on, int id, PanelControlTable* table);
int RoundToInt(double x);
// Toward zero, saturating at the int range; NaN gives 0.
int TruncateToInt(double x);
// A control a view generates: minimum 0, step 1, its default the value it
// starts with, no flags, list or help.
PanelControl PanelMakeControl(int id, int type, int bitmap, double value, double max, int x, int y, int w, int h);

// ---- setup-file lines and profile values
void PanelSave(PanelControlTable* table, CArchive& archive);
void PanelLoad(PanelControlTable* table, CArchive& archive);
void PanelProfileSave(PanelControlTable* table, const char* section);
void PanelProfileLoad(PanelControlTable* table, const char* section);

// ---- painting
void PanelPaint(HDC dc, PanelControl* controls, int count, BOOL all);
void PanelPaintBlinking(HDC dc, PanelControl* controls, int count, int phase);
HDC GetBitmapDC(HDC dc, int bitmapId);
void PanelFreeBitmaps();
void DrawSunkenFrame(HDC dc, int left, int top, int right, int bottom);
void PanelDrawText(HDC dc, PanelControl* control, const char* text);
int PanelBarLength(const PanelControl* control);
int PanelBarLengthInset(const PanelControl* control);
int PanelMeterLength(const PanelControl* control);
void PanelBlitBar(HDC dc, PanelControl* control, int length);
void PanelBlitBarPeak(HDC dc, PanelControl* control, int length, int segment);
// The control must directly follow its bar control in the array.
void PanelBlitMeter(HDC dc, PanelControl* control, int length, int segment);

// ---- input
// 2 when a value, a toggle or the selection changed or a dialog was opened.
int PanelHandleMessage(HWND window, PanelControl* controls, int count, UINT message, WPARAM wParam,
                       LPARAM lParam);

// ---- value dialogs (templates "VALUEIN", "VALUEOUT", "SELECTIN"; the
// control is the dialog parameter)
INT_PTR CALLBACK ValueInDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ValueOutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SelectInDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// ---- seam for tests and tools: where the painter gets a bitmap by id. The
// default loads the bitmap resource of the program; the cache owns (and
// deletes) what the loader returns. Null restores the default.
typedef HBITMAP (*PanelBitmapLoader)(int bitmapId);
PanelBitmapLoader PanelSetBitmapLoader(PanelBitmapLoader loader);
