// The Tarvik matrix and its device: the set block built from changed
// controls, the status reply, the online display, the view's commands, and
// what the view keeps in the registry and in setup records.
#include <cstdio>

#include "app/devicenames.h"
#include "devices/routing/tarvikmview.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/frame.h"
#include "framework/winapp.h"
#include "midi/mmein.h"

namespace {

const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kShortReply = 72;
const int kLongReply = 127;
const char* const kTitle = "Tesmer Tarvik Vantor";

}  // namespace

// ---------------------------------------------------------------- device ID and names

void CTarvikMView::BindNames() {
    for (int c = 0; c < kInputs; ++c) {
        Control(kInputNameFirst + c)->list = TarvikIoNames[m_nDeviceIndex][c];
        Control(kOutputNameFirst + c)->list = TarvikIoNames[m_nDeviceIndex][kInputs + c];
    }
    MarkNames();
}

SystemName* CTarvikMView::NameRow() { return TarvikIoNames[m_nDeviceIndex]; }

int CTarvikMView::NameControlId(int entry) {
    return entry < kInputs ? kInputNameFirst + entry : kOutputNameFirst + entry - kInputs;
}

void CTarvikMView::MarkNames() {
    for (int c = 0; c < kInputs; ++c) {
        PanelMarkChanged(kInputNameFirst + c, &m_table);
        PanelMarkChanged(kOutputNameFirst + c, &m_table);
    }
}

// ---------------------------------------------------------------- sending

void CTarvikMView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, tarvik::kModel, m_nDeviceId);
    bool changed = false;
    for (int k = 0; k < kControlCount; ++k) {
        PanelControl& c = m_controls[size_t(k)];
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (tarvik::AddSharedParameter(this, &m_table, id, m_nDeviceId)) {
            changed = true;
        } else if (SendAddressControl(id, c.value, fromSelectors)) {
            if (!fromSelectors) changed = true;
        } else if (id >= kCrosspointFirst) {
            if (!fromSelectors) {
                const int input = (id - kCrosspointFirst) / kOutputs, output = (id - kCrosspointFirst) % kOutputs;
                PanelShowValue(c.value > 0.5 ? input : tarvik::kNoInput, kSelectorFirst + output, &m_table);
                theMmeIn.AddParameter(this, tarvik::kRoutingFirst + output,
                                      TruncateToInt(Value(kSelectorFirst + output)), tarvik::kModel, m_nDeviceId);
                changed = true;
            }
        } else if (id >= kSelectorFirst && id < kSelectorFirst + kOutputs) {
            if (fromSelectors)
                theMmeIn.AddParameter(this, tarvik::kRoutingFirst + id - kSelectorFirst, TruncateToInt(c.value),
                                      tarvik::kModel, m_nDeviceId);
        }
        // Other windows on this device notice name edits by the count.
        if (id >= kSelectorFirst && id <= 96) ++IoNameChangeCounts[m_nDeviceIndex];
        c.flags &= ~PANEL_CHANGED;
    }
    // The next reply may still hold the old values.
    if (changed) m_nReplySkip = 1;
    theMmeIn.SendParameterBlock(this, tarvik::kModel, m_nDeviceId);
    RefreshMatrixFromSelectors();
    if (changed || redraw) RedrawAllControls();
}

void CTarvikMView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nReplySkip = 0;
    theMmeIn.SendRequest(this, kStatusRequest, tarvik::kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving

void CTarvikMView::OnSysExReceived(const BYTE* data, int length) {
    if (!data) return;
    // A longer buffer may hold a short message (the request's echo) before
    // the reply: the reply starts at the last F0 among the first bytes.
    if (length > kShortReply) {
        int start = 0;
        for (int k = 1; k <= 19 && k < length; ++k)
            if (data[k] == 0xF0) start = k;
        data += start;
        length -= start;
    }
    if (length != kLongReply && length != kShortReply) return;
    m_nStatusCounter = 0;
    if (m_nReplySkip > 0) {
        --m_nReplySkip;
        return;
    }
    m_nReplySkip = 0;
    tarvik::DecodeReply(data, length, &m_table,
                        [this](int output, int value) { PanelShowValue(value, kSelectorFirst + output, &m_table); });
    PanelShowValue(2, kDeviceState, &m_table);
    RefreshMatrixFromSelectors();
    RedrawAllControls();
}

// ---------------------------------------------------------------- status

void CTarvikMView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CTarvikMView::UpdateStatus(int state, int blinkPhase) { ShowRouterStatus(state, blinkPhase, kTitle); }

// ---------------------------------------------------------------- commands

void CTarvikMView::OnProgramDeviceId() { ProgramDeviceId(tarvik::kModel, tarvik::kProgramId); }

void CTarvikMView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[kNameSize];
    for (int c = 0; c < kNameChannels; ++c) {
        TarvikDefaultIoName(c, text, sizeof(text));
        SetSystemName(TarvikIoNames[m_nDeviceIndex][c], text);
        PanelMarkChanged(c < kInputs ? kInputNameFirst + c : kOutputNameFirst + c - kInputs, &m_table);
    }
    RedrawAllControls();
}

// ---------------------------------------------------------------- settings

void CTarvikMView::SaveSettings(const char* section) { SaveRouterSettings(section); }

void CTarvikMView::LoadSettings(const char* section) { LoadRouterSettings(section); }

void CTarvikMView::Serialize(CArchive& ar) { SerializeRouter(ar, kInputs, true); }
