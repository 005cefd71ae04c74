// The Sarnet front view: its panel, what it sends, the 82-byte status reply
// with its bit fields, the titles, commands and saved settings.
#include "devices/routing/sarnetview.h"

#include <algorithm>
#include <cstdio>

#include "app/deviceaddr.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CmidiSarnetFView, CPanelView)

BEGIN_MESSAGE_MAP(CmidiSarnetFView, CPanelView)
    ON_COMMAND(ID_SELECT_DEVICE, OnSelectDeviceId)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_SELECT_BAUD_RATE, OnSelectBaudRate)
END_MESSAGE_MAP()

namespace {

const int kHelp = 229;
const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kReplyLength = 82;
const int kProgramId = 0x25;
const int kAllDevices = 0x7F;
const char* const kProduct = "Tesmer Sarnet Vantor";

char g_inputStates[3][PANEL_LIST_ENTRY] = {"ERROR ", "LOCK ", "SYNC "};
char g_channels[2][PANEL_LIST_ENTRY] = {"56 Chann. ", "64 Chann. "};
char g_frames[2][PANEL_LIST_ENTRY] = {"48k Frame ", "96k Frame "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Internal ", "Input AES ", "Input MADI ", "WCK "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};
char g_sampleRateRanges[3][PANEL_LIST_ENTRY] = {"  ", " DS ", " QS "};

#define SARNET_ROW(id, name, type, bitmap, value, max, x, y, w, h, list) \
    {id, name, type, bitmap, value, 0.0, max, value, 1.0, 0, "", x, y, w, h, 0, list, kHelp, 0, 0, 0}

// In the order of the control lines.
const PanelControl kTemplate[CmidiSarnetFView::kTemplateCount] = {
    SARNET_ROW(0, "Editor Background", 100, 297, 3, 3, 0, 0, 740, 171, nullptr),
    SARNET_ROW(5, "Input Select BNC", 3, 240, 0, 1, 10, 136, 24, 10, nullptr),
    SARNET_ROW(6, "Input Select OPT", 3, 241, 1, 1, 10, 151, 24, 10, nullptr),
    SARNET_ROW(7, "Input State", 6, 272, 1, 2, 46, 136, 40, 10, g_inputStates[0]),
    SARNET_ROW(8, "Input Format Channels", 6, 272, 1, 1, 95, 136, 64, 10, g_channels[0]),
    SARNET_ROW(9, "Input Format Frame", 6, 272, 1, 1, 95, 151, 64, 10, g_frames[0]),
    SARNET_ROW(37, "AES State", 37, 300, 0, 1, 215, 121, 13, 10, nullptr),
    SARNET_ROW(32, "AES State Double Speed", 37, 295, 0, 1, 215, 151, 13, 10, nullptr),
    SARNET_ROW(33, "AES State Quad Speed", 37, 294, 0, 1, 215, 136, 13, 10, nullptr),
    SARNET_ROW(38, "WCK State", 37, 300, 0, 1, 315, 121, 13, 10, nullptr),
    SARNET_ROW(39, "WCK State Double Speed", 37, 295, 0, 1, 315, 151, 13, 10, nullptr),
    SARNET_ROW(40, "WCK State Quad Speed", 37, 294, 0, 1, 315, 136, 13, 10, nullptr),
    SARNET_ROW(12, "Clock Source", 5, 269, 3, 3, 429, 121, 70, 10, g_clockSources[0]),
    SARNET_ROW(13, "Int. Clock Frequency ", 5, 269, 1, 1, 429, 136, 40, 10, g_clockFrequencies[0]),
    SARNET_ROW(14, "Sample Rate Range", 5, 269, 0, 2, 475, 136, 24, 10, g_sampleRateRanges[0]),
    SARNET_ROW(15, "Follow Clock", 3, 267, 1, 1, 480, 151, 20, 10, nullptr),
    SARNET_ROW(10, "Outut Format Channels", 5, 272, 1, 1, 537, 136, 64, 10, g_channels[0]),
    SARNET_ROW(11, "Output Format Frame", 5, 272, 1, 1, 537, 151, 64, 10, g_frames[0]),
    SARNET_ROW(41, "COM State RX", 37, 276, 0, 1, 651, 136, 13, 10, nullptr),
    SARNET_ROW(42, "COM State TX", 37, 276, 0, 1, 651, 151, 13, 10, nullptr),
    SARNET_ROW(43, "Lock State KEYS", 3, 299, 0, 1, 699, 136, 24, 10, nullptr),
};

#undef SARNET_ROW

int Bit(int value, int bit) { return (value >> bit) & 1; }

}  // namespace

CmidiSarnetFView::CmidiSarnetFView() {
    // No reply yet: the title tells the device is not there.
    m_nStatusCounter = 10;
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 32; ++k)
            m_controls[size_t(kTemplateCount + 32 * r + k)] =
                PanelMakeControl(kLampFirst + 32 * r + k, PANEL_LED, 298, 0, 1, 68 + 153 * (k / 8) + 19 * (k % 8),
                                 r == 0 ? 39 : (r == 1 ? 49 : 69), 12, 10);
    BuildPanelTable(kPanelWidth, kPanelHeight);
    // Setup lines and registry values cover the template rows; they look
    // controls up by name, so this header shares the full table's index.
    m_settings = m_table;
    m_settings.count = kTemplateCount;
}

CmidiSarnetFView::~CmidiSarnetFView() = default;

void CmidiSarnetFView::ShowForcedStates() {
    PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table);
    if (TruncateToInt(Value(kSampleRateRange)) != 1) PanelShowValue(0, kOutputFrame, &m_table);
}

void CmidiSarnetFView::OnDraw(CDC* dc) {
    ShowForcedStates();
    PaintPanel(dc, kPanelWidth, kPanelHeight);
}

// Straight to the device: an edit here starts no save countdown.
void CmidiSarnetFView::OnPanelEdited() { SendChangedParameters(FALSE, FALSE, FALSE); }

// ---------------------------------------------------------------- sending

int CmidiSarnetFView::Parameter00() {
    return (Value(kInputOpt) > 0.5 ? 64 : 0) | (TruncateToInt(Value(kOutputFrame)) & 1) << 5 |
           (TruncateToInt(Value(kOutputChannels)) & 1) << 4 | (Value(kKeysLock) > 0.5 ? 4 : 0) | (m_nBaudCode & 3);
}

int CmidiSarnetFView::Parameter01() {
    const int source = TruncateToInt(Value(kClockSource));
    const int clock = source == 0 ? TruncateToInt(Value(kClockFrequency)) : source + 1;
    return (clock & 7) << 4 | (Value(kFollowClock) > 0.5 ? 4 : 0) | (TruncateToInt(Value(kSampleRateRange)) & 3);
}

void CmidiSarnetFView::SendChangedParameters(BOOL redraw, BOOL, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    bool send = false;
    for (PanelControl& c : m_controls) {
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (id == kInputBnc || id == kInputOpt || id == kOutputChannels || id == kOutputFrame || id == kKeysLock) {
            if (id == kInputBnc || id == kInputOpt) {
                // The two buttons act as a pair with one of them selected.
                const int other = id == kInputBnc ? kInputOpt : kInputBnc;
                const PanelControl* o = Control(other);
                if (c.value > 0.5 || o->value < 0.5 || (o->flags & PANEL_BLINK)) {
                    PanelShowValue(1, id, &m_table);
                    PanelShowValue(0, other, &m_table);
                }
                for (int button : {kInputBnc, kInputOpt}) {
                    PanelSetFlags(PANEL_BLINK, 0, button, &m_table);
                    PanelSetFlags(PANEL_LED_ON, 0, button, &m_table);
                }
            }
            ShowForcedStates();
            theMmeIn.AddParameter(this, 0x00, Parameter00(), kModel, m_nDeviceId);
            send = true;
        } else if (id >= kClockSource && id <= kFollowClock) {
            theMmeIn.AddParameter(this, 0x01, Parameter01(), kModel, m_nDeviceId);
            ShowForcedStates();
            PanelSetFlags(PANEL_LED_OFF, TruncateToInt(Value(kClockSource)) != 3 ? 1 : 0, kWckState, &m_table);
            send = true;
        }
        c.flags &= ~PANEL_CHANGED;
    }
    if (send) m_nReplySkip = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    if (send || redraw) RedrawAllControls();
}

void CmidiSarnetFView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nReplySkip = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving

void CmidiSarnetFView::DecodePair(int a, int v, bool& optSelected, bool& aesQuiet) {
    auto show = [this](int value, int id) { PanelShowValue(value, id, &m_table); };
    auto blink = [this](int id, bool on) {
        if (Control(id) && ((Control(id)->flags & PANEL_BLINK) != 0) != on) PanelSetBlink(on ? 1 : 0, id, &m_table);
    };
    if (a == 0) {
        show(Bit(v, 5), kOutputFrame);
        show(Bit(v, 4), kOutputChannels);
        show(Bit(v, 2), kKeysLock);
        m_nBaudCode = v & 3;
        optSelected = Bit(v, 6) != 0;
    } else if (a == 1) {
        const int n = (v >> 4) & 7;
        if (n >= 2) {
            show(n - 1, kClockSource);
        } else {
            show(0, kClockSource);
            show(n, kClockFrequency);
        }
        PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table);
        // The range before this pair decides.
        if (TruncateToInt(Value(kSampleRateRange)) != 1) show(0, kOutputFrame);
        show(v & 3, kSampleRateRange);
        show(Bit(v, 2), kFollowClock);
    } else if (a == 2) {
        const int selected = optSelected ? kInputOpt : kInputBnc, other = optSelected ? kInputBnc : kInputOpt;
        show(1, selected);
        show(0, other);
        if (Bit(v, 6)) {
            // The device fell back from the selected input to the other.
            blink(selected, true);
            blink(other, false);
            PanelSetFlags(PANEL_LED_ON, 1, other, &m_table);
            PanelSetFlags(PANEL_LED_ON, 0, selected, &m_table);
        } else {
            for (int id : {kInputBnc, kInputOpt}) {
                blink(id, false);
                PanelSetFlags(PANEL_LED_ON, 0, id, &m_table);
            }
        }
        show(!Bit(v, 5) ? 0 : (Bit(v, 4) ? 2 : 1), kInputState);
        show(Bit(v, 3), kInputFrame);
        show(Bit(v, 2), kInputChannels);
        show(Bit(v, 1), kAesQuadSpeed);
        show(Bit(v, 0), kAesDoubleSpeed);
    } else if (a == 3) {
        show(Bit(v, 6) ? 0 : 1, kWckState);
        show(Bit(v, 5), kWckQuadSpeed);
        show(Bit(v, 4), kWckDoubleSpeed);
        PanelSetFlags(PANEL_LED_OFF, TruncateToInt(Value(kClockSource)) != 3 ? 1 : 0, kWckState, &m_table);
    } else if (a == 4) {
        show(Bit(v, 3), kComRx);
        show(Bit(v, 2), kComTx);
    } else if (a >= 5 && a <= 36) {
        // Four lamps a pair, the highest bit first.
        const int first = a <= 12 ? 4 * a + 165 : (a <= 20 ? 4 * a + 69 : 4 * a + 37);
        if (a >= 13 && a <= 20 && v != 0) aesQuiet = false;
        for (int k = 0; k < 4; ++k) {
            if (a >= 21 && a <= 28)
                blink(first + k, !Bit(v, 3 - k));
            else
                show(Bit(v, 3 - k), first + k);
        }
    }
}

void CmidiSarnetFView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || length != kReplyLength) return;
    m_nStatusCounter = 0;
    if (m_nReplySkip > 0) {
        --m_nReplySkip;
        return;
    }
    // Remembered within one reply: the input selected before pair 2, and
    // whether every AES pair was quiet.
    bool optSelected = true, aesQuiet = true;
    for (int k = 7; k + 1 < length - 1; k += 2) DecodePair(data[k], data[k + 1], optSelected, aesQuiet);
    PanelShowValue(aesQuiet ? 1 : 0, kAesState, &m_table);
    RedrawAllControls();
    SetStateTitle(kProduct, 0, m_nDeviceId);
}

// ---------------------------------------------------------------- status

void CmidiSarnetFView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CmidiSarnetFView::UpdateStatus(int state, int blinkPhase) {
    if (m_nStatusCounter < 4)
        ++m_nStatusCounter;
    else
        SetStateTitle(kProduct, state == -10 ? 2 : 1, m_nDeviceId);
    if (!HasWindow()) return;
    CClientDC dc(this);
    PanelPaintBlinking(dc.GetSafeHdc(), m_controls.data(), kControlCount, blinkPhase);
}

// ---------------------------------------------------------------- commands

void CmidiSarnetFView::OnSelectDeviceId() {
    int id = m_nDeviceId;
    CSelDevID dlg(this);
    dlg.SetDataPointer(&id);
    dlg.DoModal();
    if (id >= 0 && id <= kAllDevices) m_nDeviceId = id;
}

void CmidiSarnetFView::OnProgramDeviceId() { ProgramDeviceId(kModel, kProgramId); }

void CmidiSarnetFView::OnSelectBaudRate() {
    int code = m_nBaudCode;
    CSelBaudrate dlg(this);
    dlg.SetDataPointer(&code);
    // OK without a line gives no code, and nothing may go out then.
    if (dlg.DoModal() != IDOK || code < 0 || code > 3) return;
    m_nBaudCode = code;
    // Only the set block carries the key lock; this message leaves bit 2 clear.
    const int value = code + 16 * (TruncateToInt(Value(kOutputChannels)) & 1) +
                      32 * (TruncateToInt(Value(kOutputFrame)) & 1) + 64 * (TruncateToInt(Value(kInputOpt)) & 1);
    theMmeIn.SendShortMessage(this, kSetParameters, 0x00, value, kModel, kAllDevices);
}

// ---------------------------------------------------------------- settings

void CmidiSarnetFView::SaveSettings(const char* section) {
    PanelProfileSave(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(section, "KestSarnetID", m_nDeviceId);
}

void CmidiSarnetFView::LoadSettings(const char* section) {
    // What differs from the panel's start stays marked, so the next send
    // gives it to the device.
    PanelProfileLoad(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) {
        const int id = int(app->GetProfileInt(section, "KestSarnetID", m_nDeviceId));
        if ((id >= 0 && id <= 15) || id == kAllDevices) m_nDeviceId = id;
    }
}

void CmidiSarnetFView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "KestSarnetIndex=", m_nDeviceId);
        viewrecord::WriteControls(ar, &m_settings);
        return;
    }
    // The index line counts for every kind of file here.
    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.HexAfter("KestSarnetIndex=", &id) && ((id >= 0 && id <= 15) || id == kAllDevices)) m_nDeviceId = id;
    PanelLoad(&m_settings, ar);
    SendChangedParameters(TRUE, TRUE, FALSE);
}
