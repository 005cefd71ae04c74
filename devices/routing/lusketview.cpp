// The Lusket router: its panel, the preset preview, what goes to and comes
// from the device, the commands and what the view keeps in the registry and
// in setup records.
#include "devices/routing/lusketview.h"

#include <algorithm>
#include <cstdio>

#include "app/devicenames.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CLusketView, CRouterView)

BEGIN_MESSAGE_MAP(CLusketView, CRouterView)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
END_MESSAGE_MAP()

namespace {

const int kHelp = 227;
const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kReplyLength = 174;
const char* const kTitle = "Tesmer Lusket Vantor";

// Parameter addresses.
const int kPresetParameter = 0x05;
const int kStoreParameter = 0x06;
const int kRecallParameter = 0x07;
const int kKeysLockParameter = 0x08;
const int kMidiLockParameter = 0x09;
const int kProgramId = 0x0A;
const int kStoredFirst = 0x10;   // preset 1 output 1 .. preset 9 output 8
const int kStoredLast = 0x57;
const int kRoutingFirst = 0x58;

char g_presets[11][PANEL_LIST_ENTRY] = {"0 ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 ", "9 ", "None"};

#define LUSKET_ROW(id, name, type, bitmap, max, value, def, x, y, w, h, list) \
    {id, name, type, bitmap, value, 0.0, max, def, 1.0, 0, "", x, y, w, h, 0, list, kHelp, 0, 0, 0}

const PanelControl kHead[] = {
    LUSKET_ROW(0, "Editor Background", 100, 282, 3, 3, 0, 0, 0, 253, 317, nullptr),
    LUSKET_ROW(97, "Device ID", 5, 272, 16, 16, 16, 61, 8, 30, 10, nullptr),
    LUSKET_ROW(98, "Device Name", 5, 272, 16, 16, 16, 138, 8, 80, 10, nullptr),
    LUSKET_ROW(99, "Device State", 6, 272, 2, 0, 0, 138, 23, 80, 10, nullptr),
    LUSKET_ROW(1, "Lock State MIDI", 37, 279, 1, 0, 0, 47, 68, 30, 10, nullptr),
    LUSKET_ROW(2, "Lock State KEYS", 37, 277, 1, 0, 0, 11, 68, 30, 10, nullptr),
    LUSKET_ROW(3, "Device Preset Number", 5, 269, 10, 10, 10, 122, 68, 26, 10, g_presets[0]),
    LUSKET_ROW(4, "Device Preset Store", 3, 278, 1, 0, 0, 158, 68, 34, 10, nullptr),
    LUSKET_ROW(5, "Device Preset Recall", 3, 280, 1, 0, 0, 202, 68, 34, 10, nullptr),
};

#undef LUSKET_ROW

}  // namespace

CLusketView::CLusketView() {
    // No reply yet: the panel shows the device as not there.
    m_nStatusCounter = 10;
    m_nHelpContext = kHelp;
    // Until a reply fills them, the stored routings take input n to output n.
    for (int p = 0; p < kPresets; ++p)
        for (int o = 0; o < kOutputs; ++o) m_stored[p][o] = p == 0 ? 0 : o + 1;
    AllocatePanel(kControlCount, kIndexSize);
    size_t k = 0;
    for (const PanelControl& c : kHead) m_controls[k++] = c;
    m_controls[1].list = RouterDeviceIdList();
    m_controls[2].list = DeviceIdNames[0];
    m_controls[3].list = RouterDeviceStateList();
    for (int n = 1; n <= 16; ++n) {
        const bool input = n <= 8;
        PanelControl c = PanelMakeControl(kInputNameFirst + n - 1, PANEL_TEXT_EDIT, 269, 0, 8,
                                          input ? 21 : 88 + 20 * (n - 9), input ? 190 + 15 * (n - 1) : 124,
                                          input ? 50 : 10, input ? 10 : 50);
        c.step = 0.0;
        c.help = kHelp;
        if (!input) c.flags = PANEL_VERTICAL;
        std::snprintf(c.name, sizeof(c.name), input ? "Input %i Name" : "Output %i Name", input ? n : n - 8);
        m_controls[k++] = c;
    }
    for (int o = 0; o < kOutputs; ++o) {
        // Values 9..16 light no crosspoint: the first picture is empty.
        PanelControl c = PanelMakeControl(kSelectorFirst + o, PANEL_NUMBER, 269, o + 9, 16, 296, 58, 66, 10);
        c.flags = PANEL_HIDDEN;
        c.help = kHelp;
        std::snprintf(c.name, sizeof(c.name), "Input Routing %2d", o + 1);
        m_controls[k++] = c;
    }
    for (int i = 0; i < kInputs; ++i)
        for (int o = 0; o < kOutputs; ++o) {
            PanelControl c =
                PanelMakeControl(CrosspointId(i, o), PANEL_SWITCH, i == o ? 300 : 276, 0, 1, 87 + 20 * o, 190 + 15 * i, 13, 10);
            c.step = 0.0;
            std::snprintf(c.name, sizeof(c.name), "Input MADI %1d", o + 1);
            m_controls[k++] = c;
        }
    BuildPanelTable(kPanelWidth, kPanelHeight);
    // Setup lines and registry values cover the template rows only.
    m_settings = m_table;
    m_settings.count = kTemplateCount;
    // The ID starts at 0, so that this binds the name controls.
    SetDeviceId(kAllDevices);
}

CLusketView::~CLusketView() = default;

void CLusketView::OnDraw(CDC* dc) { PaintPanel(dc, kPanelWidth, kPanelHeight); }

void CLusketView::BindNames() {
    for (int c = 0; c < kInputs + kOutputs; ++c) Control(kInputNameFirst + c)->list = LusketIoNames[m_nDeviceIndex][c];
    MarkNames();
}

void CLusketView::MarkNames() {
    for (int c = 0; c < kInputs + kOutputs; ++c) PanelMarkChanged(kInputNameFirst + c, &m_table);
}

// ---------------------------------------------------------------- the matrix and the preview

void CLusketView::SelectInputForOutput(int output, int input) {
    if (output < 0 || output >= kOutputs) return;
    // Inputs count from 1; 0 and anything above 8 light none.
    for (int k = 1; k <= kInputs; ++k) PanelShowValue(k == input ? 1 : 0, CrosspointId(k - 1, output), &m_table);
}

void CLusketView::RefreshMatrixFromSelectors() {
    const bool preview = m_nPreviewCountdown != 0 && Value(kPresetNumber) <= 9;
    const int preset = TruncateToInt(Value(kPresetNumber));
    for (int o = 0; o < kOutputs; ++o)
        SelectInputForOutput(o, preview ? m_stored[preset][o] : TruncateToInt(Value(kSelectorFirst + o)));
    for (int id = kCrosspointFirst; id < kCrosspointFirst + kInputs * kOutputs; ++id) {
        // A preset shown greyed takes no clicks; it blinks, so it is not
        // taken for the live routing.
        PanelSetFlags(PANEL_GREYED, preview ? 1 : 0, id, &m_table);
        PanelSetFlags(PANEL_BLINK, preview ? 1 : 0, id, &m_table);
    }
}

void CLusketView::EnablePresetControls(BOOL greyed) {
    for (int id : {kPresetNumber, kPresetStore, kPresetRecall}) PanelSetFlags(PANEL_GREYED, greyed, id, &m_table);
    if (greyed) {
        PanelShowValue(0, kPresetStore, &m_table);
        PanelShowValue(0, kPresetRecall, &m_table);
    }
    RedrawAllControls();
}

// ---------------------------------------------------------------- sending

void CLusketView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    auto add = [this](int address, int value) { theMmeIn.AddParameter(this, address, value, kModel, m_nDeviceId); };
    bool changed = false;
    for (PanelControl& c : m_controls) {
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (id == kPresetNumber) {
            if (!fromSelectors) {
                add(kPresetParameter, TruncateToInt(c.value));
                m_nPreviewCountdown = kPreviewBlinks;
                changed = true;
            }
        } else if (id == kPresetStore || id == kPresetRecall) {
            // Momentary buttons: each click acts once and goes dark again.
            if (!fromSelectors) add(id == kPresetStore ? kStoreParameter : kRecallParameter, 1);
            PanelShowValue(0, id, &m_table);
            changed = true;
        } else if (SendAddressControl(id, c.value, fromSelectors)) {
            if (!fromSelectors) changed = true;
        } else if (id >= kCrosspointFirst) {
            if (!fromSelectors) {
                const int input = (id - kCrosspointFirst) / kOutputs, output = (id - kCrosspointFirst) % kOutputs;
                PanelShowValue(c.value > 0.5 ? input + 1 : 0, kSelectorFirst + output, &m_table);
                add(kRoutingFirst + output, TruncateToInt(Value(kSelectorFirst + output)));
                changed = true;
            }
        } else if (id >= kSelectorFirst && id < kSelectorFirst + kOutputs) {
            if (fromSelectors) add(kRoutingFirst + id - kSelectorFirst, TruncateToInt(c.value));
        }
        // Other windows on this device notice name edits by the count.
        if (id >= kInputNameFirst && id < kSelectorFirst + kOutputs) ++IoNameChangeCounts[m_nDeviceIndex];
        c.flags &= ~PANEL_CHANGED;
    }
    // The next reply may still hold the old values.
    if (changed) m_nReplySkip = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    RefreshMatrixFromSelectors();
    if (changed || redraw) RedrawAllControls();
}

void CLusketView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nReplySkip = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving and status

void CLusketView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || length != kReplyLength) return;
    m_nStatusCounter = 0;
    if (m_nReplySkip > 0) {
        --m_nReplySkip;
        return;
    }
    m_nReplySkip = 0;
    // A pair counts only with its value inside the message.
    for (int k = 7; k + 1 < length; k += 2) {
        const int address = data[k], value = data[k + 1];
        if (address == kPresetParameter) {
            if (value <= kNoPreset) PanelShowValue(value, kPresetNumber, &m_table);
        } else if (address == kKeysLockParameter) {
            PanelShowValue(value, kLockKeys, &m_table);
        } else if (address == kMidiLockParameter) {
            PanelShowValue(value, kLockMidi, &m_table);
        } else if (address >= kStoredFirst && address <= kStoredLast) {
            m_stored[(address - kStoredFirst) / kOutputs + 1][(address - kStoredFirst) % kOutputs] = value;
        } else if (address >= kRoutingFirst && address < kRoutingFirst + kOutputs) {
            PanelShowValue(value, kSelectorFirst + address - kRoutingFirst, &m_table);
        }
    }
    PanelShowValue(2, kDeviceState, &m_table);
    RefreshMatrixFromSelectors();
    EnablePresetControls(FALSE);
}

void CLusketView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CLusketView::UpdateStatus(int state, int blinkPhase) {
    if (m_nPreviewCountdown > 0) --m_nPreviewCountdown;
    if (state < 0) EnablePresetControls(TRUE);
    ShowRouterStatus(state, blinkPhase, kTitle);
}

// ---------------------------------------------------------------- commands

void CLusketView::OnProgramDeviceId() { ProgramDeviceId(kModel, kProgramId); }

void CLusketView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[kNameSize];
    for (int c = 0; c < kInputs + kOutputs; ++c) {
        LusketDefaultIoName(c, text, sizeof(text));
        SetSystemName(LusketIoNames[m_nDeviceIndex][c], text);
    }
    MarkNames();
    RedrawAllControls();
}

// ---------------------------------------------------------------- settings

void CLusketView::SaveSettings(const char* section) { SaveRouterSettings(section); }

void CLusketView::LoadSettings(const char* section) { LoadRouterSettings(section); }

void CLusketView::Serialize(CArchive& ar) { SerializeRouter(ar, kInputs, false); }
