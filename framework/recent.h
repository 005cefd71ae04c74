// The recent-file list: most recent first, no duplicates, kept in the profile
// and shown in the File menu in place of its placeholder item.
#pragma once
#include <string>
#include <vector>

#include <windows.h>

const UINT ID_FILE_MRU_FIRST_LIBRARY = 57616;

class CRecentFileList {
public:
    CRecentFileList(const char* section, const char* entryFormat, int size);

    void Add(const char* path);
    void Remove(int index);
    std::string Get(int index) const;
    int GetSize() const { return int(m_entries.size()); }
    int GetMaxSize() const { return m_maxSize; }

    void ReadList();
    void WriteList() const;

    // Replaces the items of the list (or its placeholder) in a popup menu that
    // holds them; the placeholder stays, greyed, while the list is empty.
    void UpdateMenu(HMENU popup) const;

private:
    std::string m_section;
    std::string m_entryFormat;
    int m_maxSize;
    std::vector<std::string> m_entries;
    mutable std::string m_placeholder;
};
