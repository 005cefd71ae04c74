#include "app/digidoc.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/functiontable.h"
#include "app/functsel.h"
#include "app/mainframe.h"
#include "app/vantorapp.h"
#include "app/viewtable.h"
#include "framework/archive.h"
#include "midi/midiview.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CDigiDoc, CDocument)

BEGIN_MESSAGE_MAP(CDigiDoc, CDocument)
    ON_COMMAND(ID_MIDI_IO_SETUP, OnMidiIoSetup)
    ON_COMMAND(ID_START_STOP_MIDI, OnStartStopMidi)
    ON_UPDATE_COMMAND_UI(ID_START_STOP_MIDI, OnUpdateStartStopMidi)
    ON_COMMAND(ID_SEND_SINGLE_SET, OnSendSingleSet)
    ON_COMMAND(ID_RECEIVE_SINGLE_SET, OnReceiveSingleSet)
    ON_UPDATE_COMMAND_UI(ID_SEND_SINGLE_SET, OnUpdateSingleSet)
    ON_UPDATE_COMMAND_UI(ID_RECEIVE_SINGLE_SET, OnUpdateSingleSet)
    ON_COMMAND(ID_VIEW_TOOLBAR, OnViewToolbar)
    ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateViewToolbar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
    ON_COMMAND(ID_IGNORE_POSITION, OnIgnorePosition)
    ON_UPDATE_COMMAND_UI(ID_IGNORE_POSITION, OnUpdateIgnorePosition)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW0, ID_FUNCTION_ROW0, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW1, ID_FUNCTION_ROW1, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW2, ID_FUNCTION_ROW2, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW3, ID_FUNCTION_ROW3, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW4, ID_FUNCTION_ROW4, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW5, ID_FUNCTION_ROW5, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW6, ID_FUNCTION_ROW6, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW7, ID_FUNCTION_ROW7, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW8, ID_FUNCTION_ROW8, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW9, ID_FUNCTION_ROW9, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW10, ID_FUNCTION_ROW10, OnFunction)
    ON_COMMAND_RANGE(ID_FUNCTION_ROW11, ID_FUNCTION_ROW11, OnFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW0, ID_FUNCTION_ROW0, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW1, ID_FUNCTION_ROW1, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW2, ID_FUNCTION_ROW2, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW3, ID_FUNCTION_ROW3, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW4, ID_FUNCTION_ROW4, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW5, ID_FUNCTION_ROW5, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW6, ID_FUNCTION_ROW6, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW7, ID_FUNCTION_ROW7, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW8, ID_FUNCTION_ROW8, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW9, ID_FUNCTION_ROW9, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW10, ID_FUNCTION_ROW10, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FUNCTION_ROW11, ID_FUNCTION_ROW11, OnUpdateFunction)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateSetupFileCommands)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateSetupFileCommands)
END_MESSAGE_MAP()

BOOL CDigiDoc::IgnorePositionFlag = FALSE;
int CDigiDoc::TitleCounter = 0;

namespace {
const UINT kPaneFirst = 59648;
const UINT kPaneSecond = 59649;

int profileInt(const char* section, const char* entry, int defaultValue) {
    return int(theApp.GetProfileInt(section, entry, defaultValue));
}
}  // namespace

CDigiDoc::CDigiDoc() { LoadMidiPorts("Settings"); }

CDigiDoc::~CDigiDoc() {
    if (m_nFunction >= 0) {
        theApp.WriteProfileInt("Settings", "LastFunct", m_nFunction);
        SaveMidiPortNames("Settings");
        theMmeIn.ClosePorts(GetMidiView());
        ReleaseFunctionRow(m_nFunction);
    }
}

std::string CDigiDoc::DefaultSection(int function) {
    if (function < 0 || function >= kFunctionCount) return std::string();
    return std::string("Default\\") + FunctionTable[function].profileKey;
}

std::string CDigiDoc::TempSection(int windowIndex, int function) {
    if (function < 0 || function >= kFunctionCount) return std::string();
    char buf[96];
    std::snprintf(buf, sizeof(buf), "Temp\\Frame%i\\%s", windowIndex, FunctionTable[function].profileKey);
    return buf;
}

CMidiView* CDigiDoc::GetMidiView() const {
    for (CView* v : m_viewList)
        if (v->IsKindOf(RUNTIME_CLASS(CMidiView))) return static_cast<CMidiView*>(v);
    return nullptr;
}

CMainFrame* CDigiDoc::GetFrame() const {
    for (CView* v : m_viewList) {
        CFrameWnd* f = v->GetParentFrame();
        if (f && f->IsKindOf(RUNTIME_CLASS(CMainFrame))) return static_cast<CMainFrame*>(f);
    }
    return nullptr;
}

// ---------------------------------------------------------------- registry

BOOL CDigiDoc::LoadWindowPos(const char* section) {
    RECT r;
    r.left = profileInt(section, "WinPos.left", 0);
    r.top = profileInt(section, "WinPos.top", 0);
    r.right = profileInt(section, "WinPos.right", 0);
    r.bottom = profileInt(section, "WinPos.bottom", 0);
    if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return FALSE;
    WinPos = r;
    return TRUE;
}

void CDigiDoc::LoadMidiPorts(const char* section) {
    m_ports.inputId = profileInt(section, "MidiInputID", m_ports.inputId);
    m_ports.outputId = profileInt(section, "MidiOutputID", m_ports.outputId);
    SetPortName(m_ports.inputName, theApp.GetProfileString(section, "MidiInputName", m_ports.inputName).c_str());
    SetPortName(m_ports.outputName, theApp.GetProfileString(section, "MidiOutputName", m_ports.outputName).c_str());
}

void CDigiDoc::SaveMidiPortNames(const char* section) {
    theApp.WriteProfileString(section, "MidiInputName", m_ports.inputName);
    theApp.WriteProfileString(section, "MidiOutputName", m_ports.outputName);
}

void CDigiDoc::RefreshWinPos() {
    CMainFrame* frame = GetFrame();
    if (!frame) return;
    WINDOWPLACEMENT wp;
    if (!frame->GetWindowPlacement(&wp)) return;
    // The normal position is in work-area coordinates; the frame is later
    // moved in screen coordinates. Without this a taskbar at the top or left
    // would shift the window on every run.
    RECT r = wp.rcNormalPosition;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR mon = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    if (!(frame->GetExStyle() & WS_EX_TOOLWINDOW) && mon && GetMonitorInfoA(mon, &mi))
        OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    WinPos = r;
}

void CDigiDoc::SaveWindowSettings(const char* section, BOOL positionsOnly) {
    RefreshWinPos();
    theApp.WriteProfileInt(section, "WinPos.left", WinPos.left);
    theApp.WriteProfileInt(section, "WinPos.top", WinPos.top);
    theApp.WriteProfileInt(section, "WinPos.right", WinPos.right);
    theApp.WriteProfileInt(section, "WinPos.bottom", WinPos.bottom);
    theApp.WriteProfileInt(section, "SetWinPos.left", SetWinPos.left);
    theApp.WriteProfileInt(section, "SetWinPos.top", SetWinPos.top);
    theApp.WriteProfileInt(section, "SetWinPos.right", SetWinPos.right);
    theApp.WriteProfileInt(section, "SetWinPos.bottom", SetWinPos.bottom);
    if (positionsOnly) return;
    theApp.WriteProfileInt(section, "ToolBar", m_nBars[0]);
    theApp.WriteProfileInt(section, "StatusBar", m_nBars[1]);
    theApp.WriteProfileString(section, "MidiInputName", m_ports.inputName);
    theApp.WriteProfileString(section, "MidiOutputName", m_ports.outputName);
    theApp.WriteProfileInt(section, "SWType", m_nFunction);
    if (CMidiView* view = GetMidiView()) view->SaveSettings(section);
}

void CDigiDoc::SaveDefaults(BOOL positionsOnly) {
    if (m_nFunction >= 0) SaveWindowSettings(DefaultSection(m_nFunction).c_str(), positionsOnly);
}

void CDigiDoc::ReadBars(const char* section) {
    // Any stored number is accepted, but only as shown (> 0) or hidden.
    m_nBars[0] = profileInt(section, "ToolBar", 1) > 0 ? 1 : 0;
    m_nBars[1] = profileInt(section, "StatusBar", 1) > 0 ? 1 : 0;
}

void CDigiDoc::ShowBars() {
    if (CMainFrame* frame = GetFrame()) frame->ShowControlBars(m_nBars[0] > 0, m_nBars[1] > 0);
}

BOOL CDigiDoc::LoadFromSection(const char* section, int defaultFunction) {
    int function = profileInt(section, "SWType", defaultFunction);
    if (function < 0) return FALSE;
    SwitchFunction(function, section);
    return TRUE;
}

// ---------------------------------------------------------------- new document

BOOL CDigiDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    if (m_nFunction >= 0) {
        // Function Select on a window that already shows a function.
        if (CMainFrame* frame = GetFrame()) frame->SetAddToTitle(FALSE);
        SetTitle(m_strTitle.c_str());
        CFunctsel dlg;
        dlg.SetSelection(m_nFunction);
        dlg.DoModal();
        if (dlg.GetSelection() < 0) return FALSE;
        SwitchFunction(dlg.GetSelection(), nullptr);
    } else if (m_bNewWindow) {
        CFunctsel dlg;
        dlg.SetSelection(0);
        dlg.DoModal();
        if (dlg.GetSelection() < 0) return FALSE;
        SwitchFunction(dlg.GetSelection(), nullptr);
    } else {
        // The first window of a run takes the first window of the last run.
        int function = profileInt("Workspace\\Frame0", "SWType", 1);
        if (function < 0) function = 1;   // a damaged value must still give a function
        SwitchFunction(function, "Workspace\\Frame0");
    }
    return TRUE;
}

// ---------------------------------------------------------------- switching

void CDigiDoc::MoveFrameToWinPos(BOOL sizeOnly) {
    CMainFrame* frame = GetFrame();
    if (!frame) return;
    int w = WinPos.right - WinPos.left, h = WinPos.bottom - WinPos.top;
    if (sizeOnly)
        frame->SetWindowPos(nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        frame->MoveWindow(WinPos.left, WinPos.top, w, h, TRUE);
}

BOOL CDigiDoc::SwitchFunction(int function, const char* section) {
    if (function >= kFunctionCount) function = kFunctionCount - 1;
    char title[32];
    std::snprintf(title, sizeof(title), "new%i", ++TitleCounter);
    SetTitle(title);

    CMainFrame* frame = GetFrame();
    const BOOL wasOpen = m_ports.open;
    BOOL move = FALSE, keepPlace = FALSE;

    if (function == m_nFunction || function < 0) {
        CMidiView* view = GetMidiView();
        theMmeIn.ClosePorts(view);
        m_ports.open = 0;
        if (section) {
            LoadWindowPos(section);
            LoadMidiPorts(section);
            if (view) view->LoadSettings(section);
            ReadBars(section);
            ShowBars();
            move = TRUE;
        }
        if (frame) frame->SetAddToTitle(FALSE);
        SetTitle(m_strTitle.c_str());
    } else {
        RECT viewRect = {100, 100, 400, 200};
        // Only the first view stays for the swap; any others go now.
        std::vector<CView*> views(m_viewList.begin(), m_viewList.begin() + long(std::min<size_t>(m_viewList.size(), 10)));
        for (size_t i = 1; i < views.size(); ++i) views[i]->DestroyWindow();
        CView* oldView = views.empty() ? nullptr : views[0];
        CMidiView* oldMidiView =
            (oldView && oldView->IsKindOf(RUNTIME_CLASS(CMidiView))) ? static_cast<CMidiView*>(oldView) : nullptr;

        if (m_nFunction >= 0) {
            if (frame) frame->SetAddToTitle(FALSE);
            int index = theApp.FindDocument(this);
            if (index >= 0) SaveWindowSettings(TempSection(index, m_nFunction).c_str(), FALSE);
            SaveDefaults(TRUE);
            ReleaseFunctionRow(m_nFunction);
        }
        if (oldView && oldView->m_hWnd && frame) {
            oldView->GetWindowRect(&viewRect);
            frame->ScreenToClient(&viewRect);
        }
        theMmeIn.ClosePorts(oldMidiView);
        m_ports.open = 0;

        std::string chosen;
        if (section) {
            chosen = section;
            LoadMidiPorts(section);
        } else {
            int index = theApp.FindDocument(this);
            std::string temp = index >= 0 ? TempSection(index, function) : std::string();
            if (index >= 0 && profileInt(temp.c_str(), "SWType", -1) == function) {
                chosen = temp;
            } else {
                chosen = DefaultSection(function);
                // Another window shows this function already: keep our place.
                if (FunctionTable[function].openWindows != 0) keepPlace = TRUE;
            }
        }
        if (!LoadWindowPos(chosen.c_str()))
            WinPos.bottom = std::max<LONG>(WinPos.bottom, WinPos.top + FunctionTable[function].minimumHeight);

        CObject* obj = ViewClassForFunction(function)->CreateObject();
        CMidiView* newView = static_cast<CMidiView*>(obj);
        m_nSubModel = SubModelForFunction(function);
        newView->LoadSettings(chosen.c_str());
        if (frame) newView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, viewRect, frame, kPaneSecond);

        m_nFunction = function;
        if (section) ReadBars(section);

        // The new view takes the frame's first pane; the old one is hidden,
        // handed over and deleted.
        newView->SetDlgCtrlID(int(kPaneFirst));
        if (oldView) {
            oldView->SetDlgCtrlID(int(kPaneSecond));
            oldView->ShowWindow(SW_HIDE);
        }
        AddView(newView);
        if (frame) frame->SetActiveView(newView);
        if (oldView) RemoveView(oldView);
        if (frame) frame->SetActiveView(newView);
        if (oldView) {
            if (oldView->m_hWnd)
                oldView->DestroyWindow();
            else
                delete oldView;
        }
        ShowBars();
        if (frame) frame->RecalcLayout();

        SetWinPos.left = profileInt(chosen.c_str(), "SetWinPos.left", SetWinPos.left);
        SetWinPos.top = profileInt(chosen.c_str(), "SetWinPos.top", SetWinPos.top);
        SetWinPos.right = profileInt(chosen.c_str(), "SetWinPos.right", SetWinPos.right);
        SetWinPos.bottom = profileInt(chosen.c_str(), "SetWinPos.bottom", SetWinPos.bottom);
        AcquireFunctionRow(function);
        move = TRUE;
    }

    if (move) MoveFrameToWinPos(keepPlace);
    if (frame) frame->ShowWindow(SW_SHOW);

    CMidiView* view = GetMidiView();
    if (wasOpen)
        m_ports.open = theMmeIn.OpenPorts(&m_ports, view, FALSE);
    else
        theMmeIn.EnsureCallbackWindow();
    if (view) view->OnMidiIoChanged(m_nSubModel, &m_ports);
    NotifyParametersChanged(FALSE);
    if (frame) frame->KeepOnVirtualScreen();
    return TRUE;
}

// ---------------------------------------------------------------- MIDI state

void CDigiDoc::SaveTick(BOOL force) {
    if (force || (m_nSaveCountdown > 0 && --m_nSaveCountdown == 0)) SaveDefaults(FALSE);
    if (!m_ports.open) {
        // A stopped window keeps showing its stopped state.
        if (CMidiView* view = GetMidiView()) view->OnMidiIoChanged(m_nSubModel, &m_ports);
    }
}

void CDigiDoc::NotifyParametersChanged(BOOL redraw) {
    if (CMidiView* view = GetMidiView()) view->SendChangedParameters(redraw, FALSE, FALSE);
    m_nSaveCountdown = 3;
}

void CDigiDoc::EndSingleReceive() {
    if (!m_bSingleReceivePending) return;
    m_bSingleReceivePending = FALSE;
    theMmeIn.ClosePorts(GetMidiView());
}

int CDigiDoc::StartStopMidi(BOOL start) {
    CMidiView* view = GetMidiView();
    if (start) {
        if (m_ports.open) return 0;
        // A single receive still holding the view's slot ends first: one view,
        // one slot.
        EndSingleReceive();
        m_ports.open = theMmeIn.OpenPorts(&m_ports, view, FALSE) ? 1 : 0;
        if (view) view->OnMidiIoChanged(m_nSubModel, &m_ports);
        return 1;
    }
    if (!m_ports.open) return 0;
    theMmeIn.ClosePorts(view);
    m_ports.open = 0;
    if (view) view->OnMidiIoChanged(m_nSubModel, &m_ports);
    NotifyParametersChanged(TRUE);
    return 2;
}

void CDigiDoc::SendSingleSetOnce() {
    if (m_ports.open || m_bSingleReceivePending) return;
    CMidiView* view = GetMidiView();
    if (!theMmeIn.OpenPorts(&m_ports, view, TRUE)) return;
    if (view) view->SendChangedParameters(FALSE, TRUE, TRUE);
    theMmeIn.ClosePorts(view);
    MidiWait(50);
}

// ---------------------------------------------------------------- setup record

void CDigiDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteSetup(ar);
        return;
    }
    if (ReadSetup(ar)) return;
    AfxMessageBox("This is not a valid Vantor setup file", MB_OK);
    CFunctsel dlg;
    dlg.SetSelection(0);
    dlg.DoModal();
    int function = dlg.GetSelection();
    if (function < 0) function = profileInt("Settings", "LastFunct", 1);
    SwitchFunction(function < 0 ? 0 : function, nullptr);
}

BOOL CDigiDoc::WriteSetup(CArchive& ar) {
    // A window without a function has no row name to write.
    if (m_nFunction < 0 || m_nFunction >= kFunctionCount) return FALSE;
    RefreshWinPos();
    char line[600];
    std::snprintf(line, sizeof(line), "%s\n", FunctionTable[m_nFunction].name);
    ar.WriteString(line);
    std::snprintf(line, sizeof(line), "General=%02i,%02i,%05i,%05i,%05i,%05i,%05i,%05i,%05i,%05i,%01i,%01i\n",
                  m_ports.inputId, m_ports.outputId, int(WinPos.left), int(WinPos.right), int(WinPos.top),
                  int(WinPos.bottom), int(SetWinPos.left), int(SetWinPos.right), int(SetWinPos.top),
                  int(SetWinPos.bottom), m_nBars[0], m_nBars[1]);
    ar.WriteString(line);
    std::snprintf(line, sizeof(line), "MIDI In =%s\n", m_ports.inputName);
    ar.WriteString(line);
    std::snprintf(line, sizeof(line), "MIDI Out=%s\n", m_ports.outputName);
    ar.WriteString(line);
    if (CMidiView* view = GetMidiView())
        view->Serialize(ar);
    else
        ar.WriteString("\n\n");
    return TRUE;
}

namespace {
bool startsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

int functionFromName(const char* name) {
    for (int row = 0; row < kFunctionCount; ++row)
        if (std::strcmp(name, FunctionTable[row].name) == 0) return row;
    for (const LegacyFunctionName& legacy : LegacyFunctionNames)
        if (std::strcmp(name, legacy.name) == 0) return legacy.function;
    return -1;
}
}  // namespace

BOOL CDigiDoc::ReadSetup(CArchive& ar) {
    char line[1000];
    if (!ar.ReadString(line, sizeof(line))) return FALSE;
    // An editor may have put a byte-order mark before the first line.
    const char* first = startsWith(line, "\xEF\xBB\xBF") ? line + 3 : line;
    int function = functionFromName(first);
    if (function < 0) {
        if (!startsWith(first, "Input Select BNC")) return FALSE;
        // A Tarvik front-view record of old, without the header lines.
        SwitchFunction(0, nullptr);
        if (CMidiView* view = GetMidiView()) view->Serialize(ar);
        return TRUE;
    }

    if (!ar.ReadString(line, sizeof(line)) || !startsWith(line, "General=")) return FALSE;
    // What a short or damaged line does not give keeps the window's own value.
    int ids[2] = {m_ports.inputId, m_ports.outputId};
    RECT pos = WinPos;
    int l = int(pos.left), r = int(pos.right), t = int(pos.top), b = int(pos.bottom);
    int set[4] = {int(SetWinPos.left), int(SetWinPos.right), int(SetWinPos.top), int(SetWinPos.bottom)};
    int bars[2] = {m_nBars[0], m_nBars[1]};
    const int fields = std::sscanf(line + 8, "%2d,%2d,%5d,%5d,%5d,%5d,%5d,%5d,%5d,%5d,%5d,%5d", &ids[0], &ids[1], &l,
                                   &r, &t, &b, &set[0], &set[1], &set[2], &set[3], &bars[0], &bars[1]);
    const bool havePosition = fields >= 6 && r - l > 0 && b - t > 0;
    SetWinPos = RECT{set[0], set[2], set[1], set[3]};
    m_nBars[0] = bars[0] > 0 ? 1 : 0;
    m_nBars[1] = bars[1] > 0 ? 1 : 0;

    char inputName[200] = "";
    char outputName[200] = "";
    if (ar.ReadString(line, sizeof(line))) {
        if (startsWith(line, "MIDI In =")) {
            lstrcpynA(inputName, line + 9, int(sizeof(inputName)));
            if (ar.ReadString(line, sizeof(line)) && startsWith(line, "MIDI Out="))
                lstrcpynA(outputName, line + 9, int(sizeof(outputName)));
        } else {
            // No port lines: this line is already the view's.
            ar.UnreadString(line);
        }
    }

    const std::string path = ar.GetFile() ? ar.GetFile()->GetFilePath() : std::string();
    const size_t workspaceExt = path.find(".vtw");
    if (workspaceExt != std::string::npos && workspaceExt + 4 == path.size()) {
        // A workspace record brings its own ports, stopped.
        m_ports.inputId = ids[0];
        m_ports.outputId = ids[1];
        SetPortName(m_ports.inputName, inputName);
        SetPortName(m_ports.outputName, outputName);
        theMmeIn.ClosePorts(GetMidiView());
        m_ports.open = 0;
    }

    SwitchFunction(function, nullptr);
    if (CMidiView* view = GetMidiView()) view->Serialize(ar);
    ShowBars();
    CMainFrame* frame = GetFrame();
    if (frame && havePosition && (!IgnorePositionFlag || path.find("vtw") != std::string::npos)) {
        WinPos = RECT{l, t, r, b};
        frame->MoveWindow(l, t, r - l, b - t, TRUE);
    }
    if (frame) frame->KeepOnVirtualScreen();
    return TRUE;
}

// ---------------------------------------------------------------- commands

void CDigiDoc::OnMidiIoSetup() {
    theMmeIn.SetupPorts(&m_ports);
    if (!m_ports.setupConfirmed) return;
    if (m_ports.open) {
        CMidiView* view = GetMidiView();
        theMmeIn.ClosePorts(view);
        m_ports.open = theMmeIn.OpenPorts(&m_ports, view, FALSE) ? 1 : 0;
        if (view) view->OnMidiIoChanged(m_nSubModel, &m_ports);
    }
    SaveMidiPortNames("Settings");
}

void CDigiDoc::OnStartStopMidi() {
    CMidiView* view = GetMidiView();
    if (view && view->IsCtrlKeyDown()) {
        theApp.ForEachDocument(m_ports.open ? FALSE : TRUE);
        return;
    }
    StartStopMidi(m_ports.open ? FALSE : TRUE);
}

void CDigiDoc::OnUpdateStartStopMidi(CCmdUI* ui) { ui->SetCheck(m_ports.open ? 1 : 0); }

void CDigiDoc::OnSendSingleSet() {
    // While a single receive holds the view's slot, a send would share and
    // then close that slot.
    if (m_ports.open || m_bSingleReceivePending) return;
    CMidiView* view = GetMidiView();
    if (view && view->IsCtrlKeyDown()) {
        theApp.SendSingleSetToAll();
        return;
    }
    if (!theMmeIn.OpenPorts(&m_ports, view, TRUE)) return;
    if (view) view->SendChangedParameters(FALSE, TRUE, TRUE);
    theMmeIn.ClosePorts(view);
}

void CDigiDoc::OnReceiveSingleSet() {
    if (m_ports.open || m_bSingleReceivePending) return;
    CMidiView* view = GetMidiView();
    if (!theMmeIn.OpenPorts(&m_ports, view, FALSE)) return;
    MidiWait(55);
    if (view) view->RequestDeviceData(TRUE);
    m_bSingleReceivePending = TRUE;
    if (view) {
        view->StartRefreshTimer();
        view->UpdateStatus(-1, 0);
    }
}

void CDigiDoc::OnUpdateSingleSet(CCmdUI* ui) {
    if (m_nFunction == 0) {
        ui->SetCheck(0);
        ui->Enable(FALSE);
    } else if (m_ports.open) {
        ui->SetCheck(1);
        ui->Enable(FALSE);
    } else {
        ui->SetCheck(0);
        ui->Enable(TRUE);
    }
}

void CDigiDoc::OnViewToolbar() {
    m_nBars[0] = m_nBars[0] > 0 ? 0 : 1;
    ShowBars();
    m_nSaveCountdown = 3;
}

void CDigiDoc::OnViewStatusBar() {
    m_nBars[1] = m_nBars[1] > 0 ? 0 : 1;
    ShowBars();
    m_nSaveCountdown = 3;
}

void CDigiDoc::OnUpdateViewToolbar(CCmdUI* ui) { ui->SetCheck(m_nBars[0] > 0 ? 1 : 0); }
void CDigiDoc::OnUpdateViewStatusBar(CCmdUI* ui) { ui->SetCheck(m_nBars[1] > 0 ? 1 : 0); }
void CDigiDoc::OnIgnorePosition() { IgnorePositionFlag = IgnorePositionFlag ? FALSE : TRUE; }
void CDigiDoc::OnUpdateIgnorePosition(CCmdUI* ui) { ui->SetCheck(IgnorePositionFlag ? 1 : 0); }

void CDigiDoc::OnFunction(UINT command) {
    int row = FunctionFromCommand(command);
    if (row >= 0) SwitchFunction(row, nullptr);
}

void CDigiDoc::OnUpdateFunction(CCmdUI* ui) { ui->SetCheck(m_nFunction == FunctionFromCommand(ui->m_nID) ? 1 : 0); }

void CDigiDoc::OnUpdateSetupFileCommands(CCmdUI* ui) {
    // A window without a function has no record to save.
    ui->Enable(m_nFunction >= 0 ? TRUE : FALSE);
}
