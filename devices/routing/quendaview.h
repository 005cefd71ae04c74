// The Quenda routing matrix: the router's status panel above a scrollable
// grid of 72 inputs by 73 outputs, where each output is routed from at most
// one input. quendaview.cpp holds the panel, its layout, scrolling and the
// mouse; quendaprotocol.cpp what goes to and comes from the device, the
// commands and the saved settings.
#pragma once
#include <memory>
#include <vector>

#include "devices/panelview.h"

class CScrollBar;

class CQuendaMView : public CPanelView {
    DECLARE_DYNCREATE(CQuendaMView)
public:
    // Channel numbering: inputs 0..63 are MADI, 64..71 AES; outputs 0..63
    // MADI, 64..71 AES and 72 the phones. A selector value of 72 is no input.
    static const int kInputs = 72;
    static const int kOutputs = 73;
    static const int kNoInput = 72;
    static const int kMadiChannels = 64;
    static const int kNameChannels = kInputs + kOutputs;

    // Control ids.
    enum : int {
        kBackground = 0,
        kStrip = 1,
        kDeviceIdCtl = 2,
        kKeysLock = 3,
        kDeviceName = 4,
        kDeviceState = 5,
        kInputBnc = 6,
        kInputOpt = 7,
        kInputState = 8,
        kInputChannels = 9,
        kInputFrame = 10,
        kOutputChannels = 11,
        kOutputFrame = 12,
        kClockSource = 13,
        kClockFrequency = 14,
        kSampleRateRange = 15,
        kFollowClock = 16,
        kMadiAudioFirst = 17,   // 17..24
        kAesSyncFirst = 25,     // 25..28
        kAesAudioFirst = 29,    // 29..32
        kAesDoubleSpeed = 33,
        kAesQuadSpeed = 34,
        kEnableAdc = 35,
        kAdcAuto = 36,
        kAdcNumber = 37,
        kSelectorFirst = 38,       // + output
        kInputLabelFirst = 111,    // + input; also + name channel for all 145 labels
        kOutputLabelFirst = 183,   // + output
        kCrosspointFirst = 256,    // + 73 x input + output
    };
    static const int kTemplateCount = 38;
    static const int kSettingsCount = 256;
    static const int kControlCount = kCrosspointFirst + kInputs * kOutputs;   // 5512
    static const int kIndexSize = 5712;
    static const int kModel = 0x62;
    static const int kScrollBarId = 1200;

    static int CrosspointId(int input, int output) { return kCrosspointFirst + kOutputs * input + output; }

    CQuendaMView();
    ~CQuendaMView() override;

    // CMidiView
    void OnMidiIoChanged(int subModel, MidiPortSettings* ports) override;
    void SaveSettings(const char* section) override;
    void LoadSettings(const char* section) override;
    void SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) override;
    void RequestDeviceData(BOOL resetSkip) override;
    void UpdateStatus(int state, int blinkPhase) override;
    void OnSysExReceived(const BYTE* data, int length) override;

    void OnDraw(CDC* dc) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void Serialize(CArchive& ar) override;

    void LayoutMatrix(BOOL relayout);
    void SelectInputForOutput(int output, int input);
    void SetDeviceId(int id);

    // State, for the tests and the benchmark.
    PanelControlTable* SettingsTable() { return &m_settings; }
    int GetDeviceId() const { return m_nDeviceId; }
    int GetNameIndex() const { return m_nNameIndex; }
    int GetReplySkip() const { return m_nReplySkip; }
    int GetBaudCode() const { return m_nBaudCode; }
    int GetAdcRouting() const { return m_nAdcRouting; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    int GetMatrixRight() const { return m_nMatrixRight; }
    int GetMatrixBottom() const { return m_nMatrixBottom; }
    int GetVisibleRows() const { return m_nVisibleRows; }
    int GetVisibleColumns() const { return m_nVisibleColumns; }
    int GetScrollHor() const { return m_nScrollHor; }
    int GetScrollVer() const { return m_nScrollVer; }
    int GetFullRepaints() const { return m_nFullRepaints; }
    CScrollBar* HorzBar() const { return m_pHorzBar.get(); }
    CScrollBar* VertBar() const { return m_pVertBar.get(); }

    static const int kMatrixLeft = 75;

protected:
    // Panel and layout (quendaview.cpp)
    void BuildControls();
    void PlaceHeader(int clientWidth);
    bool PlaceScrollBar(CScrollBar* bar, int x, int y, int w, int h);
    void UpdateScrollBars(bool showH, bool showV, int hidden, int rows, int columns, int u, int v);
    void SetBar(CScrollBar* bar, bool show, int maximum, int position);
    void RepaintGroupGaps(bool horizontal);
    void OnScroll(bool horizontal, UINT code, int pos, HWND bar);
    void OnHScroll(UINT code, int pos, HWND bar);
    void OnVScroll(UINT code, int pos, HWND bar);
    BOOL OnEraseBkgnd(HDC dc);
    int HitInputLabel(int y);
    int HitOutputLabel(int x);
    bool Hover(int row, int column);
    void FillAlongDrag(int row, int column);
    LPARAM OneCrosspointPoint(LPARAM lParam);

    // Device side (quendaprotocol.cpp)
    void BindNameLabels();
    int Parameter50();
    int Parameter51();
    void DecodePair(int address, int value, bool& optSelected, int& last55, int& last51);
    void SelectInputPair(bool opt);
    void OnSelectDeviceId();
    void OnProgramDeviceId();
    void OnSystemDeviceNames();
    void OnDefaultIoNames();
    void OnSelectBaudRate();
    int IntValue(int id) { return Truncate(Value(id)); }
    static int Truncate(double v);
    void SetBlink(int id, bool on);
    void SetLit(int id, bool on);

    PanelControlTable m_settings{};

    int m_nDeviceId = 0;
    int m_nNameIndex = 0;
    int m_nNameSnapshot = 0;
    int m_nAdcRouting = 0;
    int m_nBaudCode = 0;
    int m_nReplySkip = 0;

    int m_nHeaderHeight = 153;
    int m_nMatrixRight = 0;
    int m_nMatrixBottom = 1153;
    int m_nLayoutRange = 0;
    int m_nScrollVer = 0;
    int m_nScrollHor = 0;
    int m_nVisibleRows = 72;
    int m_nVisibleColumns = 73;
    int m_nHighlightIn = -1;
    int m_nHighlightOut = -1;
    int m_nDragIn = -1;
    int m_nDragOut = -1;
    int m_nFullRepaints = 0;

    std::unique_ptr<CScrollBar> m_pHorzBar;
    std::unique_ptr<CScrollBar> m_pVertBar;

    DECLARE_MESSAGE_MAP()
};
