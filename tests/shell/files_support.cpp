#include "files_support.h"

#include <cstdio>

#include "framework/archive.h"

namespace {
void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            SetFileAttributesA((folder + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}
}  // namespace

void FileTest::SetUp() {
    ShellTest::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "vantor_file_tests";
    removeFolder(m_folder);
    CreateDirectoryA(m_folder.c_str(), nullptr);
}

void FileTest::TearDown() {
    ShellTest::TearDown();
    removeFolder(m_folder);
}

void FileTest::WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string FileTest::ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}

int FileTest::OpenWindow(int function, RECT pos) {
    static int counter = 0;
    char section[32];
    std::snprintf(section, sizeof(section), "Test\\Window%d", ++counter);
    WriteStateSet(section, function, pos);
    return OpenFromSection(section);
}

BOOL FileTest::ReadInto(CDigiDoc* doc, const std::string& name, const std::string& content) {
    std::string path = Path(name);
    WriteBytes(path, content);
    CStdioFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeText)) return FALSE;
    CArchive ar(&file, CArchive::load, 65536);
    return doc->ReadSetup(ar);
}

RECT FileTest::FrameRect(int index) {
    RECT r = {};
    if (Frame(index)) Frame(index)->GetWindowRect(&r);
    return r;
}

std::string FileTest::CrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
