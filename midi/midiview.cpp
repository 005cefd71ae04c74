#include "midi/midiview.h"

#include "framework/archive.h"

#include "app/digidoc.h"
#include "framework/frame.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMidiView, CView)

BEGIN_MESSAGE_MAP(CMidiView, CView)
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_COMMAND(ID_VIEW_HELP, OnViewHelp)
END_MESSAGE_MAP()

namespace {
const UINT_PTR kSaveTimer = 1;       // 500 ms: the document's save countdown
const UINT_PTR kReceiveTimer = 2;    // 200 ms one-shot: ends a single receive
}  // namespace

CMidiView::CMidiView() = default;

CMidiView::~CMidiView() { theMmeIn.ForgetView(this); }

CDigiDoc* CMidiView::GetDigiDoc() const {
    CDocument* doc = GetDocument();
    return (doc && doc->IsKindOf(RUNTIME_CLASS(CDigiDoc))) ? static_cast<CDigiDoc*>(doc) : nullptr;
}

void CMidiView::OnMidiIoChanged(int, MidiPortSettings*) {}
void CMidiView::SaveSettings(const char*) {}
void CMidiView::LoadSettings(const char*) {}
void CMidiView::SendChangedParameters(BOOL, BOOL, BOOL) {}
void CMidiView::RequestDeviceData(BOOL) {}
int CMidiView::FastPoll() { return 0; }

int CMidiView::StartRefreshTimer() {
    if (!m_nTimer2) m_nTimer2 = SetTimer(kReceiveTimer, 200);
    return 1;
}

void CMidiView::UpdateStatus(int, int) {}
void CMidiView::ReservedHookA(int, int, int, int) {}
void CMidiView::ReservedHookB(int, int, int, int) {}
void CMidiView::OnSysExReceived(const BYTE*, int) {}

BOOL CMidiView::IsCtrlKeyDown() { return (HIBYTE(GetKeyState(VK_CONTROL)) == 0xFF) ? TRUE : FALSE; }

void CMidiView::OnDraw(CDC*) {}

void CMidiView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
    if (!m_nTimer1) m_nTimer1 = SetTimer(kSaveTimer, 500);
    CView::OnActivateView(activate, activateView, deactiveView);
}

void CMidiView::OnActivateFrame(UINT, CFrameWnd*) {}

void CMidiView::OnRButtonDown(UINT, CPoint point) {
    Default();
    HMENU menu = LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    ClientToScreen(&point);
    CFrameWnd* frame = GetParentFrame();
    HWND owner = frame ? frame->m_hWnd : m_hWnd;
    if (popup) AfxTrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, owner);
    DestroyMenu(menu);
}

void CMidiView::OnTimer(UINT_PTR id) {
    if (id == kSaveTimer) {
        if (CDigiDoc* doc = GetDigiDoc()) doc->SaveTick(FALSE);
    } else if (id == kReceiveTimer) {
        if (CDigiDoc* doc = GetDigiDoc()) doc->EndSingleReceive();
        KillTimer(kReceiveTimer);
        m_nTimer2 = 0;
    }
    Default();
}

void CMidiView::OnDestroy() {
    KillTimer(kSaveTimer);
    m_nTimer1 = 0;
    if (m_nTimer2) {
        KillTimer(kReceiveTimer);
        m_nTimer2 = 0;
    }
    // No port slot may outlive the view it serves.
    theMmeIn.ForgetView(this);
    CView::OnDestroy();
}

void CMidiView::OnViewHelp() {
    if (CWinApp* app = AfxGetApp()) app->HtmlHelp(HELP_CONTEXT_VIEW_BASE, 0x000F /* HH_HELP_CONTEXT */);
}

void CMidiView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("\n\n");
        return;
    }
    // Lines of a view this window does not know are passed over up to the
    // empty line that ends them.
    char line[1000];
    while (ar.ReadString(line, sizeof(line)) && line[0] != '\0') {
    }
}
