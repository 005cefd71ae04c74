// Command routing, update handlers and object lifetimes of documents, frames
// and views, with small test classes on the program's own resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/framework.h"
#include "support/testsupport.h"
#include "test_app.h"

namespace {

enum : UINT {
    ID_VIEW_ONLY = 40001,
    ID_VIEW_AND_DOC,
    ID_DOC_AND_FRAME,
    ID_FRAME_AND_APP,
    ID_APP_ONLY,
    ID_NOBODY,
    ID_CHECKED,
    ID_DISABLED_BY_UPDATE,
};

std::vector<std::string> g_calls;
int g_docsDestroyed = 0;
int g_viewsDestroyed = 0;

class TestApp : public CWinApp {
public:
    TestApp() { SetRegistryKey(kTestCompany); }
    void OnFrameAndApp() { g_calls.push_back("app:frame-and-app"); }
    void OnAppOnly() { g_calls.push_back("app:app-only"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_FRAME_AND_APP, OnFrameAndApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
END_MESSAGE_MAP()

TestApp g_testApp;

class TDoc : public CDocument {
    DECLARE_DYNCREATE(TDoc)
public:
    ~TDoc() override { ++g_docsDestroyed; }
    void OnViewAndDoc() { g_calls.push_back("doc:view-and-doc"); }
    void OnDocAndFrame() { g_calls.push_back("doc:doc-and-frame"); }
    void OnDisabled() { g_calls.push_back("doc:disabled"); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TDoc, CDocument)
BEGIN_MESSAGE_MAP(TDoc, CDocument)
    ON_COMMAND(ID_VIEW_AND_DOC, OnViewAndDoc)
    ON_COMMAND(ID_DOC_AND_FRAME, OnDocAndFrame)
    ON_COMMAND(ID_DISABLED_BY_UPDATE, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_BY_UPDATE, OnUpdateDisabled)
END_MESSAGE_MAP()

class TView : public CView {
    DECLARE_DYNCREATE(TView)
public:
    ~TView() override { ++g_viewsDestroyed; }
    void OnDraw(CDC*) override {}
    void OnViewOnly() { g_calls.push_back("view:view-only"); }
    void OnViewAndDoc() { g_calls.push_back("view:view-and-doc"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TView, CView)
BEGIN_MESSAGE_MAP(TView, CView)
    ON_COMMAND(ID_VIEW_ONLY, OnViewOnly)
    ON_COMMAND(ID_VIEW_AND_DOC, OnViewAndDoc)
END_MESSAGE_MAP()

class TFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TFrame)
public:
    void OnDocAndFrame() { g_calls.push_back("frame:doc-and-frame"); }
    void OnFrameAndApp() { g_calls.push_back("frame:frame-and-app"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TFrame, CFrameWnd)
    ON_COMMAND(ID_DOC_AND_FRAME, OnDocAndFrame)
    ON_COMMAND(ID_FRAME_AND_APP, OnFrameAndApp)
END_MESSAGE_MAP()

class Routing : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_docsDestroyed = g_viewsDestroyed = 0;
        tmpl = new CMultiDocTemplate(128, RUNTIME_CLASS(TDoc), RUNTIME_CLASS(TFrame), RUNTIME_CLASS(TView));
        doc = tmpl->OpenDocumentFile(nullptr, TRUE);
        ASSERT_NE(doc, nullptr);
        ASSERT_EQ(doc->GetViews().size(), 1u);
        view = doc->GetViews()[0];
        frame = view->GetParentFrame();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (!tmpl->GetDocuments().empty()) frame->DestroyWindow();
        delete tmpl;
        g_testApp.m_pMainWnd = nullptr;
        testing_support::PumpMessages();
    }
    void command(UINT id, WORD code = 0) { ::SendMessageA(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(id, code), 0); }

    CMultiDocTemplate* tmpl = nullptr;
    CDocument* doc = nullptr;
    CView* view = nullptr;
    CFrameWnd* frame = nullptr;
};

}  // namespace

CWinApp& TestApplication() { return g_testApp; }

TEST_F(Routing, FirstHandlerOnTheRouteViewDocumentFrameApplicationWins) {
    command(ID_VIEW_ONLY);
    command(ID_VIEW_AND_DOC);
    command(ID_DOC_AND_FRAME);
    command(ID_FRAME_AND_APP);
    command(ID_APP_ONLY);
    command(ID_NOBODY);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"view:view-only", "view:view-and-doc", "doc:doc-and-frame",
                                                 "frame:frame-and-app", "app:app-only"}));
}

TEST_F(Routing, MenuUpdateDisablesWhatNobodyHandlesAndSetsChecks) {
    HMENU popup = CreatePopupMenu();
    const UINT ids[] = {ID_VIEW_ONLY, ID_APP_ONLY, ID_NOBODY, ID_CHECKED, ID_DISABLED_BY_UPDATE};
    for (UINT id : ids) AppendMenuA(popup, MF_STRING, id, "item");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, WPARAM(popup), 0);
    auto state = [&](int i) { return GetMenuState(popup, UINT(i), MF_BYPOSITION); };
    EXPECT_FALSE(state(0) & MF_GRAYED) << "a view handler enables its item";
    EXPECT_FALSE(state(1) & MF_GRAYED) << "an application handler enables its item";
    EXPECT_TRUE(state(2) & MF_GRAYED) << "no handler anywhere: greyed";
    EXPECT_TRUE(state(3) & MF_CHECKED);
    EXPECT_TRUE(state(3) & MF_GRAYED) << "an update handler alone does not make a command";
    EXPECT_TRUE(state(4) & MF_GRAYED);
    DestroyMenu(popup);
}

TEST_F(Routing, DisabledCommandsFromMenusAndAcceleratorsAreNotCarriedOut) {
    command(ID_DISABLED_BY_UPDATE, 0);
    command(ID_DISABLED_BY_UPDATE, 1);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(Routing, ToolbarButtonsFollowTheSameRoute) {
    CToolBar bar;
    RECT none = {0, 0, 0, 0};
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, none, 0xE800));
    ASSERT_TRUE(bar.LoadToolBar(128));
    ASSERT_GE(bar.GetButtonCount(), 3);
    EXPECT_EQ(bar.GetItemID(0), 57613u);
    bar.OnUpdateCmdUI(frame, TRUE);
    // Only the document's own Save is handled on this route; the rest is greyed.
    for (UINT id : bar.GetButtonIds()) {
        if (id) {
            EXPECT_EQ(::SendMessageA(bar.m_hWnd, TB_ISBUTTONENABLED, id, 0) != 0, id == 57603u) << id;
        }
    }
    frame->RemoveControlBar(&bar);
    bar.DestroyWindow();
}

TEST_F(Routing, DocumentGoesWithItsLastViewButNotDuringASwap) {
    // A second view joins before the first leaves: the document stays.
    TView* second = new TView;
    RECT r = {0, 0, 10, 10};
    ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD, r, frame, 59649));
    doc->AddView(second);
    doc->RemoveView(view);
    EXPECT_EQ(g_docsDestroyed, 0);
    EXPECT_EQ(doc->GetViews().size(), 1u);
    view->DestroyWindow();
    EXPECT_EQ(g_viewsDestroyed, 1) << "a view deletes itself with its window";
    // Closing the frame takes the remaining view and with it the document.
    frame->DestroyWindow();
    EXPECT_EQ(g_docsDestroyed, 1);
    EXPECT_EQ(g_viewsDestroyed, 2);
    EXPECT_TRUE(tmpl->GetDocuments().empty());
}

TEST_F(Routing, ClosingTheFrameClosesTheDocument) {
    ::SendMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_docsDestroyed, 1);
    EXPECT_EQ(g_viewsDestroyed, 1);
    EXPECT_TRUE(tmpl->GetDocuments().empty());
}

TEST_F(Routing, FrameTitleAddsTheDocumentTitleOnlyWithTheStyleBit) {
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Vantor - new1");
    doc->SetTitle("live");
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Vantor - live");
    SetWindowLongA(frame->m_hWnd, GWL_STYLE, LONG(frame->GetStyle() & ~FWS_ADDTOTITLE));
    doc->SetTitle("other");
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Vantor - live") << "without the bit the title is left alone";
}

TEST_F(Routing, ViewFillsTheClientBetweenTheBars) {
    CStatusBar status;
    ASSERT_TRUE(status.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0xE801));
    frame->RecalcLayout();
    RECT client, viewRect, statusRect;
    frame->GetClientRect(&client);
    view->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    status.GetWindowRect(&statusRect);
    frame->ScreenToClient(&statusRect);
    EXPECT_EQ(viewRect.top, 0);
    EXPECT_EQ(viewRect.bottom, statusRect.top);
    EXPECT_EQ(statusRect.bottom, client.bottom);
    frame->ShowControlBar(&status, FALSE, FALSE);
    view->GetWindowRect(&viewRect);
    frame->ScreenToClient(&viewRect);
    EXPECT_EQ(viewRect.bottom, client.bottom) << "a hidden bar gives its room to the view";
    frame->RemoveControlBar(&status);
    status.DestroyWindow();
}

TEST_F(Routing, ClickActivatesTheViewAndGivesItTheKeyboard) {
    frame->SetActiveView(nullptr, FALSE);
    ASSERT_EQ(frame->GetActiveView(), nullptr);
    ::SendMessageA(view->m_hWnd, WM_MOUSEACTIVATE, WPARAM(frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(GetFocus(), view->m_hWnd);
}

TEST_F(Routing, ModalDialogCountsItsDepthAndEndsWithTheButton) {
    int depthInside = -1;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        depthInside = AfxGetModalDepth();
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dlg, IDCANCEL)));
    });
    CDialog dlg(178u);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(AfxGetModalDepth(), 0);
}
