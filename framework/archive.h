// Files and the text archive over them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeNoTruncate = 0x1000,
        modeCreate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(const char* path, UINT flags);
    virtual UINT Read(void* buffer, UINT count);
    virtual BOOL Write(const void* buffer, UINT count);
    virtual BOOL Close();   // FALSE when a write failed
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    const std::string& GetFilePath() const { return m_strPath; }
    std::string GetFileName() const;

protected:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::string m_strPath;
    BOOL m_bWriteFailed = FALSE;
};

// A file in text mode writes each "\n" as CR LF (reading is left to the
// archive, which takes CR LF and LF alike).
class CStdioFile : public CFile {
public:
    BOOL Open(const char* path, UINT flags) override;
    BOOL Write(const void* buffer, UINT count) override;

private:
    BOOL m_bText = TRUE;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return m_nMode == store; }
    BOOL IsLoading() const { return m_nMode == load; }
    CFile* GetFile() const { return m_pFile; }

    void WriteString(const char* text);
    // One line without its end (LF or CR LF). At most maxChars - 1 characters
    // are kept; the rest of a longer line is dropped, so one line on disk is
    // always one line read. FALSE, with an empty buffer, at the end of the file.
    BOOL ReadString(char* buffer, UINT maxChars);
    BOOL ReadString(std::string& line, UINT maxChars = 1000);
    // A line read but not meant for the reader that read it: the next
    // ReadString returns it again.
    void UnreadString(const char* line);
    void Flush();
    void Close();

private:
    int ReadByte();   // -1 at the end
    CFile* m_pFile;
    UINT m_nMode;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_len = 0;
    bool m_eof = false;
    bool m_hasUnread = false;
    std::string m_unread;
};

// Saves through a temporary file beside `path` that replaces the old file only
// once every byte is written, so a failed save never destroys the previous
// file. FALSE when the file could not be written or replaced.
BOOL AfxSaveFileReplacing(const char* path, BOOL textMode, int bufferSize,
                          const std::function<void(CArchive&)>& write);
