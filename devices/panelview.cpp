#include "devices/panelview.h"

#include <cstdio>

#include "app/deviceaddr.h"
#include "app/digidoc.h"
#include "app/mainframe.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CPanelView, CMidiView)

BEGIN_MESSAGE_MAP(CPanelView, CMidiView)
    ON_COMMAND(ID_HELP_CURRENT_FUNCTION, OnHelpCurrentFunction)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

namespace {
const UINT kHtmlHelpContext = 0x000F;
}

CPanelView::CPanelView() = default;
CPanelView::~CPanelView() = default;

void CPanelView::AllocatePanel(int count, int indexSize) {
    m_controls.assign(size_t(count), PanelControl{});
    m_index.assign(size_t(indexSize), nullptr);
}

void CPanelView::BuildPanelTable(int width, int height) {
    PanelInitTable(&m_table, m_controls.data(), m_index.data(), int(m_controls.size()), int(m_index.size()), width,
                   height);
}

void CPanelView::RedrawAllControls() {
    if (!HasWindow()) return;
    CClientDC dc(this);
    PanelPaint(dc.GetSafeHdc(), m_controls.data(), int(m_controls.size()), FALSE);
}

BOOL CPanelView::PreTranslateMessage(MSG* msg) {
    if (msg && HasWindow() && msg->hwnd == m_hWnd) {
        const int result = PanelHandleMessage(m_hWnd, m_controls.data(), int(m_controls.size()), msg->message,
                                              msg->wParam, msg->lParam);
        // The view may be gone once a value dialog has returned.
        if (result == 2 && HasWindow()) {
            RedrawAllControls();
            OnPanelEdited();
        }
    }
    return CMidiView::PreTranslateMessage(msg);
}

void CPanelView::OnPanelEdited() {
    if (CDigiDoc* doc = GetDigiDoc()) doc->NotifyParametersChanged(FALSE);
}

void CPanelView::PaintPanel(CDC* dc, int width, int height, const COLORREF* fill, BOOL keepTop) {
    CFrameWnd* frame = GetParentFrame();
    // A frame that had to move or grow moved this view while it paints: the
    // part that came into sight is painted again after the move.
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMainFrame)) &&
        static_cast<CMainFrame*>(frame)->FitToClient(width, height, keepTop))
        Invalidate(FALSE);
    if (!dc) return;
    const HDC hdc = dc->GetSafeHdc();
    if (fill) {
        RECT client;
        GetClientRect(&client);
        HBRUSH brush = CreateSolidBrush(*fill);
        FillRect(hdc, &client, brush);
        DeleteObject(brush);
    }
    SelectClipRgn(hdc, nullptr);
    PanelPaint(hdc, m_controls.data(), int(m_controls.size()), TRUE);
}

void CPanelView::SetFrameTitle(const char* title) {
    // Only a new text: the same one set again would flicker.
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetWindowText() != title) frame->SetWindowText(title);
}

void CPanelView::SetStateTitle(const char* product, int state, int deviceId) {
    char title[96];
    if (state == 2) {
        std::snprintf(title, sizeof(title), "%s - offline", product);
    } else {
        const char* word = state == 0 ? "online" : "no response";
        if (deviceId == 0x7F)
            std::snprintf(title, sizeof(title), "%s - %s: all IDs", product, word);
        else
            std::snprintf(title, sizeof(title), "%s - %s: ID %02X", product, word, deviceId);
    }
    SetFrameTitle(title);
}

void CPanelView::ShowStatus(const char* title, int blinkPhase) {
    SetFrameTitle(title);
    if (!HasWindow()) return;
    CClientDC dc(this);
    PanelPaintBlinking(dc.GetSafeHdc(), m_controls.data(), int(m_controls.size()), blinkPhase);
    PanelPaint(dc.GetSafeHdc(), m_controls.data(), int(m_controls.size()), FALSE);
}

void CPanelView::CountMissedReply(int state, int stateControlId) {
    if (m_nStatusCounter < 4)
        ++m_nStatusCounter;
    else
        PanelShowValue(state == -10 ? 0 : 1, stateControlId, &m_table);
}

void CPanelView::ProgramDeviceId(int model, int parameter) {
    int id = -1;
    CProgDevID dlg(this);
    dlg.SetDataPointer(&id);
    dlg.DoModal();
    if (id < 0 || id > 15) return;
    if (AfxMessageBox("Do you really want to program Device ID?\nBe sure to have only one device connected!",
                      MB_YESNO) != IDYES)
        return;
    if (!theMmeIn.SendShortMessage(this, 0x20, parameter, id, model, 0x7F))
        AfxMessageBox("No MIDI Connection established, please connect to MIDI.");
}

void CPanelView::OnHelpCurrentFunction() {
    if (CWinApp* app = AfxGetApp()) app->HtmlHelp(DWORD_PTR(m_nHelpContext), kHtmlHelpContext);
}

void CPanelView::ShowFastPollingItem(CCmdUI* ui, BOOL on) {
    const CDigiDoc* doc = GetDigiDoc();
    const bool open = doc && doc->m_ports.open;
    ui->Enable(open ? TRUE : FALSE);
    ui->SetCheck(open && on ? 1 : 0);
}

BOOL CPanelView::OnHelpInfo(HELPINFO*) {
    OnHelpCurrentFunction();
    return TRUE;
}
