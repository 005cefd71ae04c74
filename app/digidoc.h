// The document behind one window: its function (which device panel it shows),
// its MIDI ports, and its state in the registry.
#pragma once
#include <string>

#include "framework/document.h"
#include "midi/portsettings.h"

class CArchive;
class CCmdUI;
class CMainFrame;
class CMidiView;

class CDigiDoc : public CDocument {
    DECLARE_DYNCREATE(CDigiDoc)
public:
    CDigiDoc();
    ~CDigiDoc() override;

    RECT SetWinPos = {200, 300, 400, 400};   // kept with the state set; nothing else reads it
    RECT WinPos = {200, 300, 800, 600};      // the frame's normal (restored) position
    int m_nBars[2] = {1, 1};                 // ToolBar, StatusBar: shown when > 0
    MidiPortSettings m_ports;
    int m_nFunction = -1;
    int m_nSubModel = 0;
    int m_nSaveCountdown = 0;
    BOOL m_bSingleReceivePending = FALSE;
    BOOL m_bNewWindow = FALSE;

    // Shared by all windows.
    static BOOL IgnorePositionFlag;
    static int TitleCounter;

    BOOL OnNewDocument() override;
    BOOL SwitchFunction(int function, const char* section);
    BOOL LoadFromSection(const char* section, int defaultFunction);
    BOOL LoadWindowPos(const char* section);
    void LoadMidiPorts(const char* section);
    void SaveMidiPortNames(const char* section);
    void SaveWindowSettings(const char* section, BOOL positionsOnly);
    void SaveDefaults(BOOL positionsOnly);
    void SaveTick(BOOL force);
    void NotifyParametersChanged(BOOL redraw);
    void EndSingleReceive();
    int StartStopMidi(BOOL start);
    void SendSingleSetOnce();
    // The setup record: one window as text lines.
    void Serialize(CArchive& ar) override;
    BOOL WriteSetup(CArchive& ar);   // FALSE, writing nothing, without a function
    BOOL ReadSetup(CArchive& ar);

    CMidiView* GetMidiView() const;
    CMainFrame* GetFrame() const;

    // Section names of the state set.
    static std::string DefaultSection(int function);
    static std::string TempSection(int windowIndex, int function);

protected:
    void OnMidiIoSetup();
    void OnStartStopMidi();
    void OnUpdateStartStopMidi(CCmdUI* ui);
    void OnSendSingleSet();
    void OnReceiveSingleSet();
    void OnUpdateSingleSet(CCmdUI* ui);
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnUpdateViewToolbar(CCmdUI* ui);
    void OnUpdateViewStatusBar(CCmdUI* ui);
    void OnIgnorePosition();
    void OnUpdateIgnorePosition(CCmdUI* ui);
    void OnFunction(UINT command);
    void OnUpdateFunction(CCmdUI* ui);
    void OnUpdateSetupFileCommands(CCmdUI* ui);

    void ShowBars();
    void ReadBars(const char* section);
    void MoveFrameToWinPos(BOOL sizeOnly);
    void RefreshWinPos();

    DECLARE_MESSAGE_MAP()
};
