#include "sim/simdevice.h"

#include <algorithm>

namespace sim {

SimDevice::SimDevice(int model, int deviceId) : m_model(model), m_deviceId(deviceId) {}
SimDevice::~SimDevice() = default;

Bytes SimDevice::Frame(int command, const Bytes& data) const {
    Bytes out(data.size() + 8);
    const BYTE header[7] = {0xF0, 0x00, 0x7E, 0x31, BYTE(m_model), BYTE(m_deviceId), BYTE(command)};
    std::copy(header, header + 7, out.begin());
    std::copy(data.begin(), data.end(), out.begin() + 7);
    out.back() = 0xF7;
    return out;
}

std::vector<Bytes> SimDevice::Hear(const Bytes& message) {
    std::vector<Bytes> replies;
    if (message.size() < 8 || message[0] != 0xF0 || message[1] != 0x00 || message[2] != 0x7E ||
        message[3] != 0x31 || message.back() != 0xF7)
        return replies;
    if (message[4] != m_model || !IsAddressed(message[5])) return replies;
    received.push_back(message);
    Bytes reply;
    switch (message[6]) {
    case 0x10:
        ++statusRequests;
        reply = OnStatusRequest();
        break;
    case 0x11:
        ++levelRequests;
        reply = OnLevelRequest();
        break;
    case 0x20:
        OnSetParameters(message.data() + 7, message.size() - 8);
        break;
    default:
        reply = OnOtherCommand(message);
        break;
    }
    if (!reply.empty() && m_answer != Answer::Silent) replies.push_back(Distort(reply));
    return replies;
}

Bytes SimDevice::Distort(const Bytes& reply) const {
    switch (m_answer) {
    case Answer::Short:
        return Bytes(reply.begin(), reply.begin() + (reply.size() < 10 ? reply.size() : 10));
    case Answer::Long: {
        Bytes out(reply.begin(), reply.end() - 1);
        for (int i = 0; i < 300; ++i) out.push_back(BYTE(i & 0x7F));
        out.push_back(0xF7);
        return out;
    }
    case Answer::Garbled: {
        Bytes out = reply;
        unsigned seed = 12345u + unsigned(reply.size());
        for (size_t i = 6; i < out.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            out[i] = BYTE(seed >> 16);
        }
        return out;
    }
    default:
        return reply;
    }
}

SimGenericDevice::SimGenericDevice(int model, int deviceId, int statusLength)
    : SimDevice(model, deviceId), m_statusLength(statusLength < 0 ? 0 : statusLength > 128 ? 128 : statusLength) {}

Bytes SimGenericDevice::OnStatusRequest() { return Frame(0x10, Bytes(registers, registers + m_statusLength)); }

Bytes SimGenericDevice::OnLevelRequest() { return Frame(0x11, Bytes(levels, levels + 4)); }

void SimGenericDevice::OnSetParameters(const BYTE* data, size_t length) {
    for (size_t i = 0; i + 1 < length; i += 2) registers[data[i] & 0x7F] = data[i + 1];
}

}  // namespace sim
