// The Tarvik front view: its panel, the output and source buttons, what it
// sends and takes from the device, its titles, commands and saved settings.
#include "devices/routing/tarvikfview.h"

#include <algorithm>
#include <cstdio>

#include "app/deviceaddr.h"
#include "app/mainframe.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CmidiTarvikFView, CPanelView)

BEGIN_MESSAGE_MAP(CmidiTarvikFView, CPanelView)
    ON_COMMAND(ID_SELECT_DEVICE, OnSelectDeviceId)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
END_MESSAGE_MAP()

namespace {

const int kHelp = 225;
const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kShortReply = 72;
const int kLongReply = 127;
const char* const kProduct = "Tesmer Tarvik Vantor";

char g_inputStates[3][PANEL_LIST_ENTRY] = {"ERROR ", "LOCK ", "SYNC "};
char g_channels[2][PANEL_LIST_ENTRY] = {"56 Chann. ", "64 Chann. "};
char g_frames[2][PANEL_LIST_ENTRY] = {"48k Frame ", "96k Frame "};
char g_frame96k[4][PANEL_LIST_ENTRY] = {"off ", "MADI ", "WCK ", "M + W "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Internal ", "External ", "Input MADI ", "Input ADAT "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};

#define FRONT_ROW(id, name, type, bitmap, max, value, def, x, y, w, h, list) \
    {id, name, type, bitmap, value, 0.0, max, def, 1.0, 0, "", x, y, w, h, 0, list, kHelp, 0, 0, 0}

const PanelControl kHead[] = {
    FRONT_ROW(0, "Editor Background", 100, 239, 3, 3, 0, 0, 0, 535, 129, nullptr),
    FRONT_ROW(1, "Input Select BNC", 3, 240, 1, 1, 1, 40, 28, 24, 10, nullptr),
    FRONT_ROW(9, "Input Select OPT", 3, 241, 1, 1, 1, 70, 28, 24, 10, nullptr),
    FRONT_ROW(2, "Input State", 6, 272, 2, 1, 1, 153, 28, 40, 10, g_inputStates[0]),
    FRONT_ROW(7, "Input Format Channels", 6, 272, 1, 1, 1, 202, 28, 64, 10, g_channels[0]),
    FRONT_ROW(8, "Input Format Frame", 6, 272, 1, 1, 1, 202, 43, 64, 10, g_frames[0]),
    FRONT_ROW(3, "96K Frame", 5, 269, 3, 2, 2, 484, 43, 40, 10, g_frame96k[0]),
    FRONT_ROW(4, "Clock Source", 5, 269, 3, 3, 3, 11, 96, 70, 10, g_clockSources[0]),
    FRONT_ROW(5, "Int. Clock Frequency ", 5, 269, 1, 1, 0, 41, 111, 40, 10, g_clockFrequencies[0]),
    FRONT_ROW(6, "Enable Routing Matrix", 3, 267, 1, 1, 0, 113, 96, 20, 10, nullptr),
};

#undef FRONT_ROW

PanelControl Button(int id, int type, int bitmap, int x, int y) {
    PanelControl c = PanelMakeControl(id, type, bitmap, 0, 1, x, y, 13, 10);
    c.help = kHelp;
    return c;
}

// The controls that go grey (and dark) while the device is away.
bool Greys(int id) {
    return (id >= 1 && id <= 9) || (id >= 11 && id <= 18) || (id >= 21 && id <= 28) || (id >= 31 && id <= 38) ||
           (id >= 41 && id <= 56) || (id >= 61 && id <= 76);
}

}  // namespace

CmidiTarvikFView::CmidiTarvikFView() {
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    size_t k = 0;
    for (const PanelControl& c : kHead) m_controls[k++] = c;
    struct Row {
        int firstId;
        const char* name;
        int firstBitmap, x, y;
    };
    const Row rows[] = {
        {tarvik::kMadiAudioFirst, "MADI State In Audio %i", 243, 40, 43},
        {tarvik::kAdatSyncFirst, "ADAT State In Sync %i", 243, 320, 28},
        {tarvik::kAdatAudioFirst, "ADAT State In Audio %i", 243, 320, 43},
        {kOutputButtonFirst, "Output MADI %i", 244, 141, 111},
        {kOutputButtonFirst + 8, "Output ADAT %i", 244, 351, 111},
        {kSourceButtonFirst, "Input MADI %i", 244, 141, 96},
        {kSourceButtonFirst + 8, "Input ADAT %i", 244, 351, 96},
    };
    for (const Row& r : rows) {
        const bool lamp = r.firstId < kOutputButtonFirst;
        for (int n = 1; n <= 8; ++n) {
            PanelControl c = Button(r.firstId + n - 1, lamp ? PANEL_LED : PANEL_SWITCH, r.firstBitmap + 3 * (n - 1),
                                    r.x + 20 * (n - 1), r.y);
            std::snprintf(c.name, sizeof(c.name), r.name, n);
            m_controls[k++] = c;
        }
    }
    for (int o = 0; o < kOutputs; ++o) {
        PanelControl c = Button(kSelectorFirst + o, PANEL_NUMBER, 269, 296, 58);
        c.w = 66;
        c.max = tarvik::kNoInput;
        // A first picture until the device gives the real one.
        c.value = c.defaultValue = o < 8 ? o + 9 : o - 7;
        c.flags = PANEL_HIDDEN;
        std::snprintf(c.name, sizeof(c.name), "Input Routing %2d", o + 1);
        m_controls[k++] = c;
    }
    BuildPanelTable(kPanelWidth, kPanelHeight);
    m_nDeviceId = tarvik::kAllDevices;
}

CmidiTarvikFView::~CmidiTarvikFView() = default;

// ---------------------------------------------------------------- drawing and input

void CmidiTarvikFView::OnDraw(CDC* dc) { PaintPanel(dc, kPanelWidth, kPanelHeight); }

// Straight to the device: an edit here starts no save countdown.
void CmidiTarvikFView::OnPanelEdited() { SendChangedParameters(FALSE, FALSE, FALSE); }

// ---------------------------------------------------------------- buttons

void CmidiTarvikFView::SelectOutputButton(int output) {
    for (int o = 0; o < kOutputs; ++o) PanelShowValue(o == output ? 1 : 0, kOutputButtonFirst + o, &m_table);
}

int CmidiTarvikFView::FindSelectedOutput() {
    for (int o = kOutputs - 1; o >= 0; --o)
        if (Value(kOutputButtonFirst + o) > 0.5) return o;
    return -1;
}

void CmidiTarvikFView::SelectSourceButton(int source, BOOL show) {
    // A source outside the 16 inputs (16 is none) darkens the whole row.
    for (int s = 0; s < kOutputs; ++s) {
        if (s != source)
            PanelShowValue(0, kSourceButtonFirst + s, &m_table);
        else if (show)
            PanelShowValue(1, kSourceButtonFirst + s, &m_table);
    }
}

void CmidiTarvikFView::EnablePanel(BOOL offline) {
    if (offline && !m_bOffline) {
        // What the panel showed, for saving while it is grey and dark.
        m_shownValues.resize(m_controls.size());
        for (size_t k = 0; k < m_controls.size(); ++k) m_shownValues[k] = m_controls[k].value;
    }
    m_bOffline = offline != FALSE;
    for (PanelControl& c : m_controls) {
        if (!Greys(c.id)) continue;
        PanelSetFlags(PANEL_GREYED, offline, c.id, &m_table);
        if (offline) PanelShowValue(0, c.id, &m_table);
        if (offline && (c.id == tarvik::kInputBnc || c.id == tarvik::kInputOpt))
            PanelSetFlags(PANEL_LED_ON, 0, c.id, &m_table);
    }
    RedrawAllControls();
}

void CmidiTarvikFView::WithShownValues(const std::function<void()>& save) {
    if (!m_bOffline || m_shownValues.size() != m_controls.size()) {
        save();
        return;
    }
    std::vector<double> now(m_controls.size());
    for (size_t k = 0; k < m_controls.size(); ++k) {
        now[k] = m_controls[k].value;
        if (Greys(m_controls[k].id)) m_controls[k].value = m_shownValues[k];
    }
    save();
    for (size_t k = 0; k < m_controls.size(); ++k) m_controls[k].value = now[k];
}

// ---------------------------------------------------------------- sending

void CmidiTarvikFView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, tarvik::kModel, m_nDeviceId);
    auto add = [this](int address, int value) {
        theMmeIn.AddParameter(this, address, value, tarvik::kModel, m_nDeviceId);
    };
    bool changed = false;
    for (PanelControl& c : m_controls) {
        // A whole send takes every control, as the matrix does.
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (tarvik::AddSharedParameter(this, &m_table, id, m_nDeviceId)) {
            changed = true;
        } else if (!fromSelectors && id >= kOutputButtonFirst && id < kOutputButtonFirst + kOutputs) {
            const int o = id - kOutputButtonFirst;
            SelectOutputButton(o);
            SelectSourceButton(TruncateToInt(Value(kSelectorFirst + o)), TRUE);
            changed = true;
        } else if (!fromSelectors && id >= kSourceButtonFirst && id < kSourceButtonFirst + kOutputs) {
            const int o = FindSelectedOutput();
            if (o >= 0) {
                const int s = c.value > 0.5 ? id - kSourceButtonFirst : tarvik::kNoInput;
                PanelShowValue(s, kSelectorFirst + o, &m_table);
                SelectSourceButton(s, TRUE);
                add(tarvik::kRoutingFirst + o, TruncateToInt(Value(kSelectorFirst + o)));
                changed = true;
            }
        } else if (fromSelectors && id >= kSelectorFirst && id < kSelectorFirst + kOutputs) {
            const int o = id - kSelectorFirst;
            if (o == FindSelectedOutput()) SelectSourceButton(TruncateToInt(c.value), TRUE);
            add(tarvik::kRoutingFirst + o, TruncateToInt(c.value));
            changed = true;
        }
        c.flags &= ~PANEL_CHANGED;
    }
    if (changed) m_nReplySkip = 1;
    theMmeIn.SendParameterBlock(this, tarvik::kModel, m_nDeviceId);
    if (changed || redraw) RedrawAllControls();
}

void CmidiTarvikFView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nReplySkip = 0;
    theMmeIn.SendRequest(this, kStatusRequest, tarvik::kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving and status

void CmidiTarvikFView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || (length != kLongReply && length != kShortReply)) return;
    if (FindSelectedOutput() < 0) SelectOutputButton(0);
    if (m_nReplySkip > 0) {
        --m_nReplySkip;
        return;
    }
    m_nReplySkip = 0;
    tarvik::DecodeReply(data, length, &m_table, [this](int output, int value) {
        PanelShowValue(value, kSelectorFirst + output, &m_table);
        // The clamped selector, never the raw byte, picks the button.
        if (output == FindSelectedOutput()) SelectSourceButton(TruncateToInt(Value(kSelectorFirst + output)), TRUE);
    });
    EnablePanel(FALSE);
}

void CmidiTarvikFView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CmidiTarvikFView::UpdateStatus(int state, int blinkPhase) {
    if (state < 0) {
        EnablePanel(TRUE);
    } else if (HasWindow()) {
        CClientDC dc(this);
        PanelPaintBlinking(dc.GetSafeHdc(), m_controls.data(), kControlCount, blinkPhase);
    }
    SetStateTitle(kProduct, state == -10 ? 2 : (state < 0 ? 1 : 0), m_nDeviceId);
}

// ---------------------------------------------------------------- commands

void CmidiTarvikFView::OnSelectDeviceId() {
    int id = m_nDeviceId;
    CSelDevID dlg(this);
    dlg.SetDataPointer(&id);
    dlg.DoModal();
    if (tarvik::IsDeviceId(id)) m_nDeviceId = id;
}

void CmidiTarvikFView::OnProgramDeviceId() { ProgramDeviceId(tarvik::kModel, tarvik::kProgramId); }

// ---------------------------------------------------------------- settings

void CmidiTarvikFView::SaveSettings(const char* section) {
    WithShownValues([this, section] { PanelProfileSave(&m_table, section); });
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(section, "TarvikID", m_nDeviceId);
}

void CmidiTarvikFView::LoadSettings(const char* section) {
    // Only the ID comes back; the panel waits for the device.
    if (CWinApp* app = AfxGetApp()) {
        const int id = int(app->GetProfileInt(section, "TarvikID", m_nDeviceId));
        if (tarvik::IsDeviceId(id)) m_nDeviceId = id;
    }
}

void CmidiTarvikFView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "TarvikIndex=", m_nDeviceId);
        WithShownValues([this, &ar] { viewrecord::WriteControls(ar, &m_table); });
        return;
    }
    // The index line counts for every kind of file here.
    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.HexAfter("TarvikIndex=", &id) && tarvik::IsDeviceId(id)) m_nDeviceId = id;
    PanelLoad(&m_table, ar);
    SendChangedParameters(TRUE, TRUE, FALSE);
    // Loaded while grey: these are now the values to keep.
    if (m_bOffline && m_shownValues.size() == m_controls.size())
        for (size_t k = 0; k < m_controls.size(); ++k) m_shownValues[k] = m_controls[k].value;
}
