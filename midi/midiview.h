// Base of every device view: the operations through which the document and the
// MIDI transport drive a view, the view's two timers, its context menu and help.
#pragma once
#include "framework/view.h"
#include "midi/portsettings.h"

class CDigiDoc;

class CMidiView : public CView {
    DECLARE_DYNCREATE(CMidiView)
public:
    CMidiView();
    ~CMidiView() override;

    // The device-view operations, in this order.
    virtual void OnMidiIoChanged(int subModel, MidiPortSettings* ports);
    virtual void SaveSettings(const char* section);
    virtual void LoadSettings(const char* section);
    virtual void SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all);
    virtual void RequestDeviceData(BOOL resetSkip);
    virtual int FastPoll();
    virtual int StartRefreshTimer();
    virtual void UpdateStatus(int state, int blinkPhase);
    virtual void ReservedHookA(int a, int b, int c, int d);
    virtual void ReservedHookB(int a, int b, int c, int d);
    virtual void OnSysExReceived(const BYTE* data, int length);
    virtual BOOL IsCtrlKeyDown();

    // The view's lines of a setup record. A view without lines of its own
    // still ends its part with the empty lines, so the records that follow
    // in a workspace file stay in step.
    void Serialize(CArchive& ar) override;

    void OnDraw(CDC* dc) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    void OnActivateFrame(UINT state, CFrameWnd* frame) override;

    CDigiDoc* GetDigiDoc() const;
    UINT_PTR GetTimer1() const { return m_nTimer1; }
    UINT_PTR GetTimer2() const { return m_nTimer2; }

    // Updates since the last accepted reply; the views decide from it whether
    // their device is online.
    int m_nStatusCounter = 0;

protected:
    void OnRButtonDown(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnViewHelp();

    UINT_PTR m_nTimer1 = 0;
    UINT_PTR m_nTimer2 = 0;

    DECLARE_MESSAGE_MAP()
};
