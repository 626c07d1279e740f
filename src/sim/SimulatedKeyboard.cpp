#include "sim/SimulatedKeyboard.h"

namespace
{
bool isIdentityRequest (const juce::MidiMessage& message)
{
    if (! message.isSysEx() || message.getSysExDataSize() != 4)
        return false;

    const auto* d = message.getSysExData();
    return d[0] == 0x7E && (d[1] == 0x7F || d[1] == 0x00) && d[2] == 0x06 && d[3] == 0x01;
}
} // namespace

SimulatedKeyboard::SimulatedKeyboard (VirtualMidiPorts& ports, const juce::String& name) : devicePorts (ports, name, *this) { plugIn(); }

// Plays knob moves at a steady rate: each wake-up sends the moves that are
// due by then, so the rate holds even though the thread sleeps in whole
// milliseconds.
class SimulatedKeyboard::ControlMover : private juce::Thread
{
public:
    ControlMover (SimulatedKeyboard& keyboardToMove, double movesPerSecondToPlay)
        : juce::Thread ("simulated control moves"), keyboard (keyboardToMove), movesPerSecond (movesPerSecondToPlay)
    {
        startThread();
    }

    ~ControlMover() override { stopThread (2000); }

    int getNumMoves() const { return moves; }

private:
    void run() override
    {
        static constexpr int knobs[] = { 0x01, 0x02, 0x09, 0x0B, 0x0C, 0x0D, 0x0E, 0x03 };
        const double start = juce::Time::getMillisecondCounterHiRes();

        while (! threadShouldExit())
        {
            const auto due = (int) ((juce::Time::getMillisecondCounterHiRes() - start) * movesPerSecond / 1000.0);
            for (; moves < due && ! threadShouldExit(); ++moves)
                keyboard.moveControl (knobs[moves % 8], moves % 128);
            juce::Thread::sleep (1);
        }
    }

    SimulatedKeyboard& keyboard;
    const double movesPerSecond;
    std::atomic<int> moves { 0 };
};

SimulatedKeyboard::~SimulatedKeyboard()
{
    stopMovingControls();
    unplug();
}

void SimulatedKeyboard::setModelNumber (int number)
{
    const juce::ScopedLock sl (lock);
    modelNumber = number;
}

void SimulatedKeyboard::setFirmwareRevision (const FirmwareRevision& revision)
{
    const juce::ScopedLock sl (lock);
    firmwareRevision = revision;
}

void SimulatedKeyboard::setReplyLatencyMs (double latencyMs)
{
    const juce::ScopedLock sl (lock);
    replyLatencyMs = latencyMs;
}

void SimulatedKeyboard::setSilent (bool shouldBeSilent)
{
    const juce::ScopedLock sl (lock);
    silent = shouldBeSilent;
}

void SimulatedKeyboard::setDropsEveryNthReply (int n)
{
    const juce::ScopedLock sl (lock);
    dropEveryNth = n;
    repliesCounted = 0;
}

void SimulatedKeyboard::setAnswersCutShort (bool shouldCutShort)
{
    const juce::ScopedLock sl (lock);
    cutsShort = shouldCutShort;
}

void SimulatedKeyboard::setAnswerDeviceId (int deviceId)
{
    const juce::ScopedLock sl (lock);
    answerDeviceId = deviceId;
}

void SimulatedKeyboard::unplugAfterReceiving (int messages)
{
    const juce::ScopedLock sl (lock);
    messagesUntilUnplug = messages;
}

void SimulatedKeyboard::startMovingControls (double movesPerSecond)
{
    stopMovingControls();
    controlMover = std::make_unique<ControlMover> (*this, movesPerSecond);
}

void SimulatedKeyboard::stopMovingControls() { controlMover.reset(); }

int SimulatedKeyboard::getNumControlMoves() const { return controlMover != nullptr ? controlMover->getNumMoves() : 0; }

void SimulatedKeyboard::plugIn() { devicePorts.plugIn(); }
void SimulatedKeyboard::unplug() { devicePorts.unplug(); }
bool SimulatedKeyboard::isPluggedIn() const { return devicePorts.isPluggedIn(); }
VirtualMidiPorts::PortId SimulatedKeyboard::getEditorInput() const { return devicePorts.getEditorInput(); }
VirtualMidiPorts::PortId SimulatedKeyboard::getEditorOutput() const { return devicePorts.getEditorOutput(); }

std::vector<juce::MidiMessage> SimulatedKeyboard::getReceivedMessages() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

void SimulatedKeyboard::setRecording (bool shouldRecord)
{
    const juce::ScopedLock sl (lock);
    recording = shouldRecord;
}

void SimulatedKeyboard::change (const std::function<void (KeyboardModel&)>& function)
{
    const juce::ScopedLock sl (lock);
    function (model);
}

void SimulatedKeyboard::receive (const juce::MidiMessage& message)
{
    std::vector<juce::MidiMessage> replies;
    bool pulled = false;
    {
        const juce::ScopedLock sl (lock);
        if (recording)
            received.push_back (message);
        pulled = messagesUntilUnplug > 0 && --messagesUntilUnplug == 0;
        replies = isIdentityRequest (message) ? std::vector<juce::MidiMessage> { identityReply() } : model.receive (message);
    }

    // The cable went with this message: what it was told took effect, but
    // no answer gets out.
    if (pulled)
    {
        unplug();
        return;
    }

    for (const auto& r : replies)
        reply (r);
}

void SimulatedKeyboard::reply (const juce::MidiMessage& message)
{
    double latencyMs;
    {
        const juce::ScopedLock sl (lock);
        if (silent)
            return;
        if (dropEveryNth > 0 && ++repliesCounted % dropEveryNth == 0)
            return;
        latencyMs = replyLatencyMs;
    }
    devicePorts.speak (withFaults (message), latencyMs);
}

void SimulatedKeyboard::play (const juce::MidiMessage& message)
{
    // What the player does reaches the editor at once, silent or not.
    devicePorts.speak (message);
}

void SimulatedKeyboard::moveControl (int id, int value)
{
    std::optional<juce::MidiMessage> message;
    {
        const juce::ScopedLock sl (lock);
        message = model.messageWhenMoved (id, value);
    }
    if (message)
        play (*message);
}

void SimulatedKeyboard::movePitchWheel (int value)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::pitchWheel (model.globalChannel() + 1, value));
}

void SimulatedKeyboard::pressNote (int note, int velocity)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::noteOn (10, note, (juce::uint8) velocity));
}

void SimulatedKeyboard::pressChannelPressure (int pressure)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::channelPressureChange (10, pressure));
}

void SimulatedKeyboard::sendRaw (const juce::MidiMessage& message) { play (message); }

juce::MidiMessage SimulatedKeyboard::withFaults (const juce::MidiMessage& message) const
{
    const juce::ScopedLock sl (lock);
    std::vector<juce::uint8> bytes (message.getRawData(), message.getRawData() + message.getRawDataSize());

    // F0 7E <device> 06 02 ... for the identity reply; F0 00 2F 19 <device> ... for the dialect.
    const bool identity = bytes.size() > 2 && bytes[1] == 0x7E;
    if (answerDeviceId >= 0 && bytes.size() > 5)
        bytes[identity ? 2 : 4] = (juce::uint8) (answerDeviceId & 0x7F);
    if (cutsShort && ! identity && bytes.size() > 3)
        bytes.erase (bytes.end() - 2);

    return juce::MidiMessage (bytes.data(), (int) bytes.size());
}

juce::MidiMessage SimulatedKeyboard::identityReply() const
{
    const juce::ScopedLock sl (lock);
    const juce::uint8 bytes[] = { 0xF0,
                                  0x7E,
                                  0x00,
                                  0x06,
                                  0x02,
                                  0x00,
                                  0x2F,
                                  0x19,
                                  0x02,
                                  0x00,
                                  (juce::uint8) modelNumber,
                                  0x00,
                                  firmwareRevision[0],
                                  firmwareRevision[1],
                                  firmwareRevision[2],
                                  firmwareRevision[3],
                                  0xF7 };
    return juce::MidiMessage (bytes, (int) sizeof (bytes));
}
