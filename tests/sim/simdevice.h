// Simulated devices that sit behind simulated MIDI ports. A device hears every
// message sent on its output port, keeps its own state and answers requests on
// its input port. Each device model is one small subclass of SimDevice.
#pragma once
#include <windows.h>

#include <vector>

namespace sim {

typedef std::vector<BYTE> Bytes;

class SimDevice {
public:
    // How the device answers; anything but Normal is a fault to survive.
    enum class Answer {
        Normal,
        Silent,    // no reply at all
        Short,     // the first 10 bytes of the reply only
        Long,      // the reply with 300 extra data bytes before F7: more than one buffer
        Garbled,   // the header intact, every byte after it scrambled (some above 0x7F)
    };

    SimDevice(int model, int deviceId);
    virtual ~SimDevice();
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    int Model() const { return m_model; }
    int DeviceId() const { return m_deviceId; }
    void SetDeviceId(int id) { m_deviceId = id; }
    void SetAnswer(Answer answer) { m_answer = answer; }

    // Called by the driver with each message that left on the device's output
    // port; returns the replies, in order.
    std::vector<Bytes> Hear(const Bytes& message);

    // Messages of this device's model that addressed it (its id or 127).
    std::vector<Bytes> received;
    int statusRequests = 0;
    int levelRequests = 0;

protected:
    // A model gives its replies whole (Frame helps) and applies set messages.
    virtual Bytes OnStatusRequest() = 0;
    virtual Bytes OnLevelRequest() { return Bytes(); }
    // The data bytes of a 0x20 message, between the command byte and F7.
    virtual void OnSetParameters(const BYTE* data, size_t length) = 0;
    // Any other command addressed to the device.
    virtual Bytes OnOtherCommand(const Bytes&) { return Bytes(); }
    virtual bool IsAddressed(int id) const { return id == m_deviceId || id == 127; }

    // F0 00 7E 31, model, this device's id, command, data, F7.
    Bytes Frame(int command, const Bytes& data) const;

private:
    Bytes Distort(const Bytes& reply) const;

    int m_model;
    int m_deviceId;
    Answer m_answer = Answer::Normal;
};

// A plain device for the transport's own tests: 2-byte parameter groups set
// registers, the status reply carries the first registers after command 0x10,
// the level reply carries four level bytes after command 0x11.
class SimGenericDevice : public SimDevice {
public:
    SimGenericDevice(int model, int deviceId, int statusLength = 16);
    BYTE registers[128] = {};
    BYTE levels[4] = {};

protected:
    Bytes OnStatusRequest() override;
    Bytes OnLevelRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;

private:
    int m_statusLength;
};

}  // namespace sim
