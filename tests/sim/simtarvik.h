// A simulated Tarvik format converter (model 0x64): its routing of 16
// outputs, input selection, 96K frame mode, clock and matrix switch, which
// set blocks write, and the input and clock state it reports. It answers
// 0x10 with the 72-byte reply (or, on request, the 127-byte one, or either
// behind an echo of the request in the same buffer) and takes a new ID
// from a message to all devices.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimTarvik : public SimDevice {
public:
    explicit SimTarvik(int deviceId = 0);

    BYTE route[16];
    BYTE inputSelect = 1;   // optical
    BYTE inputAlarm = 0;
    BYTE inputState = 2;    // sync
    BYTE madiAudio = 0xFF;
    BYTE inputFormat = 1;   // 64 channels, 48k frame
    BYTE clockStatus = 1;
    BYTE adatSync[8] = {2, 2, 2, 2, 2, 2, 2, 2};
    BYTE adatAudio = 0xFF;
    BYTE frame96k = 0;
    BYTE clock = 2;         // internal 48k
    BYTE matrixOn = 1;

    bool longReply = false;   // 127 bytes instead of 72
    bool echo = false;        // the request's 8 bytes before the reply
    int setBlocks = 0;

    Bytes StatusReply() const;

protected:
    Bytes OnStatusRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;
};

}  // namespace sim
