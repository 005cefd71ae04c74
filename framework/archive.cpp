#include "framework/archive.h"

CFile::~CFile() {
    if (IsOpen()) CloseHandle(m_hFile);
}

BOOL CFile::Open(const char* path, UINT flags) {
    if (IsOpen()) Close();
    DWORD access = GENERIC_READ;
    if (flags & modeWrite) access = GENERIC_WRITE;
    if (flags & modeReadWrite) access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (flags & shareExclusive) share = 0;
    if (flags & shareDenyWrite) share = FILE_SHARE_READ;
    DWORD create = OPEN_EXISTING;
    if (flags & modeCreate) create = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    m_hFile = CreateFileA(path, access, share, nullptr, create, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) return FALSE;
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path, DWORD(sizeof(full)), full, nullptr);
    m_strPath = (n > 0 && n < sizeof(full)) ? full : path;
    m_bWriteFailed = FALSE;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD got = 0;
    if (!IsOpen() || !ReadFile(m_hFile, buffer, count, &got, nullptr)) return 0;
    return got;
}

BOOL CFile::Write(const void* buffer, UINT count) {
    DWORD written = 0;
    if (!IsOpen() || !WriteFile(m_hFile, buffer, count, &written, nullptr) || written != count) {
        m_bWriteFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CFile::Close() {
    BOOL ok = !m_bWriteFailed;
    if (IsOpen()) ok = CloseHandle(m_hFile) && ok;
    m_hFile = INVALID_HANDLE_VALUE;
    return ok;
}

std::string CFile::GetFileName() const {
    size_t slash = m_strPath.find_last_of("\\/");
    return slash == std::string::npos ? m_strPath : m_strPath.substr(slash + 1);
}

BOOL CStdioFile::Open(const char* path, UINT flags) {
    m_bText = !(flags & typeBinary);
    return CFile::Open(path, flags);
}

BOOL CStdioFile::Write(const void* buffer, UINT count) {
    if (!m_bText) return CFile::Write(buffer, count);
    const char* p = static_cast<const char*>(buffer);
    std::string out;
    out.reserve(count + count / 16);
    for (UINT i = 0; i < count; ++i) {
        if (p[i] == '\n') out += '\r';
        out += p[i];
    }
    return CFile::Write(out.data(), UINT(out.size()));
}

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_pFile(file), m_nMode(mode), m_buffer(size_t(bufferSize > 16 ? bufferSize : 16)) {}

CArchive::~CArchive() { Close(); }

void CArchive::WriteString(const char* text) {
    if (!IsStoring() || !text) return;
    for (const char* p = text; *p; ++p) {
        if (m_pos == m_buffer.size()) Flush();
        m_buffer[m_pos++] = *p;
    }
}

void CArchive::Flush() {
    if (IsStoring() && m_pos > 0 && m_pFile) m_pFile->Write(m_buffer.data(), UINT(m_pos));
    m_pos = 0;
}

void CArchive::Close() {
    if (!m_pFile) return;
    Flush();
    m_pFile = nullptr;
}

int CArchive::ReadByte() {
    if (m_pos == m_len) {
        if (m_eof || !m_pFile) return -1;
        m_len = m_pFile->Read(m_buffer.data(), UINT(m_buffer.size()));
        m_pos = 0;
        if (m_len == 0) {
            m_eof = true;
            return -1;
        }
    }
    return static_cast<unsigned char>(m_buffer[m_pos++]);
}

BOOL CArchive::ReadString(char* buffer, UINT maxChars) {
    if (!buffer || maxChars == 0) return FALSE;
    buffer[0] = '\0';
    if (!IsLoading()) return FALSE;
    if (m_hasUnread) {
        m_hasUnread = false;
        lstrcpynA(buffer, m_unread.c_str(), int(maxChars));
        return TRUE;
    }
    UINT n = 0;
    int c = ReadByte();
    if (c < 0) return FALSE;
    bool pendingCr = false;
    while (c >= 0 && c != '\n') {
        if (pendingCr && n + 1 < maxChars) buffer[n++] = '\r';
        pendingCr = false;
        if (c == '\r')
            pendingCr = true;
        else if (n + 1 < maxChars)
            buffer[n++] = char(c);
        c = ReadByte();
    }
    // A CR just before the line end (or the end of the file) belongs to the line end.
    buffer[n] = '\0';
    return TRUE;
}

void CArchive::UnreadString(const char* line) {
    if (!IsLoading()) return;
    m_unread = line ? line : "";
    m_hasUnread = true;
}

BOOL CArchive::ReadString(std::string& line, UINT maxChars) {
    std::vector<char> buf(maxChars ? maxChars : 1);
    BOOL ok = ReadString(buf.data(), UINT(buf.size()));
    line = buf.data();
    return ok;
}

BOOL AfxSaveFileReplacing(const char* path, BOOL textMode, int bufferSize,
                          const std::function<void(CArchive&)>& write) {
    if (!path || !*path) return FALSE;
    const std::string temp = std::string(path) + ".tmp";
    CStdioFile textFile;
    CFile plainFile;
    CFile& file = textMode ? static_cast<CFile&>(textFile) : plainFile;
    const UINT mode = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive |
                      (textMode ? CFile::typeText : CFile::typeBinary);
    if (!file.Open(temp.c_str(), mode)) return FALSE;
    {
        CArchive ar(&file, CArchive::store, bufferSize);
        write(ar);
        ar.Close();
    }
    if (!file.Close() || !MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return FALSE;
    }
    return TRUE;
}
