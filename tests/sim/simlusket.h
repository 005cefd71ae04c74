// A simulated Lusket router (model 0x65): the routing of its 8 outputs, nine
// stored routings, the selected preset and two locks. Set blocks route,
// choose a preset, store the routing into it or recall it; 0x10 is answered
// with the 174-byte reply holding all of it.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimLusket : public SimDevice {
public:
    explicit SimLusket(int deviceId = 0);

    BYTE route[8];         // 0 none, 1..8 the input
    BYTE stored[10][8];    // presets 1..9 (row 0 unused)
    BYTE preset = 10;      // none
    BYTE keysLock = 0;
    BYTE midiLock = 0;
    int stores = 0, recalls = 0;

    Bytes StatusReply() const;

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    void OnSetParameters(const BYTE* data, size_t length) override;
};

}  // namespace sim
