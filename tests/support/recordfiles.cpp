#include "support/recordfiles.h"

#include <windows.h>

#include <cstdio>

#include "framework/archive.h"
#include "framework/winapp.h"
#include "support/testsupport.h"

namespace testing_support {

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

void StoreRecord(CObject& view, const std::string& path) {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    view.Serialize(ar);
    ar.Close();
    file.Close();
}

void LoadRecord(CObject& view, const std::string& path) {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    view.Serialize(ar);
}

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return lines;
    std::string line;
    for (int ch; (ch = std::fgetc(f)) != EOF;) {
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += char(ch);
        }
    }
    std::fclose(f);
    return lines;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    for (const std::string& l : lines) std::fprintf(f, "%s\n", l.c_str());
    std::fclose(f);
}

void RecordFileTest::SetUp() {
    AfxGetApp()->SetRegistryKey(m_company);
    DeleteCompanyKey(m_company);
}

void RecordFileTest::TearDown() {
    for (const std::string& p : m_files) DeleteFileA(p.c_str());
    DeleteCompanyKey(m_company);
}

std::string RecordFileTest::File(const char* name) {
    m_files.push_back(TempPath(name));
    return m_files.back();
}

}  // namespace testing_support
