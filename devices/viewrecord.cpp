#include "devices/viewrecord.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/archive.h"
#include "panel/panel.h"

bool ViewRecordReader::Next() {
    if (!m_ar.ReadString(m_line, sizeof(m_line))) {
        m_line[0] = '\0';
        return false;
    }
    if (m_line[0] != '\0') return true;
    m_ar.UnreadString(m_line);
    return false;
}

const char* ViewRecordReader::After(const char* key) const {
    const size_t n = std::strlen(key);
    return std::strncmp(m_line, key, n) == 0 ? m_line + n : nullptr;
}

bool ViewRecordReader::HexAfter(const char* key, int* value) const {
    const char* rest = After(key);
    unsigned int number = 0;
    if (!rest || std::sscanf(rest, "%2x", &number) != 1) return false;
    *value = int(number);
    return true;
}

bool ViewRecordReader::IndexAddress(const char* key, int* address) const {
    const std::string path = m_ar.GetFile() ? m_ar.GetFile()->GetFilePath() : std::string();
    return path.find("vts") == std::string::npos && HexAfter(key, address);
}

namespace viewrecord {

void WriteIndex(CArchive& ar, const char* key, int address) {
    char line[64];
    std::snprintf(line, sizeof(line), "%s%02x\n", key, address);
    ar.WriteString(line);
}

std::string NameKey(bool output, int channel, bool twoDigits) {
    char key[24];
    const char* format = twoDigits ? (output ? "OUT%02i_NAME=" : "IN%02i_NAME=") : (output ? "OUT%i_NAME=" : "IN%i_NAME=");
    std::snprintf(key, sizeof(key), format, channel);
    return key;
}

void WriteName(CArchive& ar, bool output, int channel, const char* name, bool twoDigits) {
    char line[96];
    std::snprintf(line, sizeof(line), "%s%8s\n", NameKey(output, channel, twoDigits).c_str(), name ? name : "");
    ar.WriteString(line);
}

void WriteControls(CArchive& ar, PanelControlTable* table) {
    PanelSave(table, ar);
    ar.WriteString("\n\n");
}

}  // namespace viewrecord
