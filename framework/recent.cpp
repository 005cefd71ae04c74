#include "framework/recent.h"

#include <cstdio>

#include "framework/winapp.h"

CRecentFileList::CRecentFileList(const char* section, const char* entryFormat, int size)
    : m_section(section), m_entryFormat(entryFormat), m_maxSize(size < 1 ? 1 : (size > 16 ? 16 : size)) {}

void CRecentFileList::Add(const char* path) {
    if (!path || !*path) return;
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path, DWORD(sizeof(full)), full, nullptr);
    std::string p = (n > 0 && n < sizeof(full)) ? std::string(full) : std::string(path);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (lstrcmpiA(m_entries[i].c_str(), p.c_str()) == 0) {
            m_entries.erase(m_entries.begin() + long(i));
            break;
        }
    }
    m_entries.insert(m_entries.begin(), p);
    if (int(m_entries.size()) > m_maxSize) m_entries.resize(size_t(m_maxSize));
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < int(m_entries.size())) m_entries.erase(m_entries.begin() + index);
}

std::string CRecentFileList::Get(int index) const {
    return (index >= 0 && index < int(m_entries.size())) ? m_entries[size_t(index)] : std::string();
}

void CRecentFileList::ReadList() {
    m_entries.clear();
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_maxSize; ++i) {
        char entry[64];
        std::snprintf(entry, sizeof(entry), m_entryFormat.c_str(), i + 1);
        std::string p = app->GetProfileString(m_section.c_str(), entry, "");
        if (!p.empty()) m_entries.push_back(p);
    }
}

void CRecentFileList::WriteList() const {
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_maxSize; ++i) {
        char entry[64];
        std::snprintf(entry, sizeof(entry), m_entryFormat.c_str(), i + 1);
        if (i < int(m_entries.size()))
            app->WriteProfileString(m_section.c_str(), entry, m_entries[size_t(i)].c_str());
        else
            app->WriteProfileString(m_section.c_str(), entry, nullptr);
    }
}

void CRecentFileList::UpdateMenu(HMENU popup) const {
    int count = GetMenuItemCount(popup);
    int first = -1;
    char placeholder[256] = "";
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id >= ID_FILE_MRU_FIRST_LIBRARY && id < ID_FILE_MRU_FIRST_LIBRARY + 16) {
            if (first < 0) {
                first = i;
                GetMenuStringA(popup, UINT(i), placeholder, int(sizeof(placeholder)), MF_BYPOSITION);
            }
        }
    }
    if (first < 0) return;
    // The first time the menu is seen it still holds the placeholder from the
    // resource; its text is kept for the times the list is empty.
    if (m_placeholder.empty()) m_placeholder = placeholder[0] ? placeholder : "Recent File";
    while (first < GetMenuItemCount(popup)) {
        UINT id = GetMenuItemID(popup, first);
        if (id < ID_FILE_MRU_FIRST_LIBRARY || id >= ID_FILE_MRU_FIRST_LIBRARY + 16) break;
        DeleteMenu(popup, UINT(first), MF_BYPOSITION);
    }
    if (m_entries.empty()) {
        InsertMenuA(popup, UINT(first), MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FIRST_LIBRARY,
                    m_placeholder.c_str());
        return;
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        std::string text = "&" + std::to_string(i + 1) + " ";
        for (char ch : m_entries[i]) {
            text += ch;
            if (ch == '&') text += '&';
        }
        InsertMenuA(popup, UINT(first + int(i)), MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FIRST_LIBRARY + UINT(i),
                    text.c_str());
    }
}
