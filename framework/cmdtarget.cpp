#include "framework/cmdtarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const MsgMapEntry* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base)
        for (const MsgMapEntry* e = map->entries; e->thunk; ++e)
            if (e->message == message && e->code == code && id >= e->idFirst && id <= e->idLast) return e;
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) {
    const MsgMapEntry* e = nCode == CN_UPDATE_COMMAND_UI ? FindMessageEntry(MSGMAP_UPDATE_UI, 0, nID)
                                                         : FindMessageEntry(WM_COMMAND, UINT(nCode) & 0xFFFF, nID);
    if (!e) return FALSE;
    if (probe) {
        probe->target = this;
        return TRUE;
    }
    MsgCall call{WM_COMMAND, 0, 0, nID, pExtra, 0};
    if (nCode == CN_UPDATE_COMMAND_UI) {
        CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
        ui->m_bContinueRouting = FALSE;
        e->thunk(this, call);
        return !ui->m_bContinueRouting;
    }
    return e->thunk(this, call);
}

void CCmdUI::Enable(BOOL on) {
    m_bEnableChanged = TRUE;
    m_bEnabled = on;
    if (m_hMenu) EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int check) {
    m_nCheck = check;
    if (m_hMenu) CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetText(const char* text) {
    if (m_hMenu) {
        UINT state = GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (disableIfNoHandler && !m_bEnableChanged) {
        CmdHandlerProbe probe;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &probe));
    }
    return handled;
}
