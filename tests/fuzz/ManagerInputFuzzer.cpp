#include "FuzzedMidi.h"

#include "firmware/SolvikFWUpdater.h"
#include "link/OrvaneManager49.h"
#include "link/ReadBackChain.h"
#include "link/VirtualMidiPorts.h"

#include <cstdlib>
#include <functional>
#include <iostream>

// Any bytes as MIDI arriving at the keyboard manager, in each of its states:
// probing, keyboard detected, a value query waiting, the boot loader's ports
// attached for a firmware transfer. The read-back chain listens as in the
// editor and the cache takes the replies. Whatever arrives, nothing the
// manager sends may carry a SysEx data byte of 0x80 or more or be cut short,
// and a query answers only with a value that a complete reply carried.
//
// Input: byte 0 chooses the state and the options, byte 1 the port the
// messages arrive on, and the rest is the MIDI byte stream.
namespace
{
const juce::String keyboardPort ("Velmora Vorlo"), bootLoaderPort ("Velmora VORLO"), otherPort ("Other Device");

enum class State
{
    probing,
    detected,
    queryPending,
    firmwareAttached
};

// One set of ports for the whole run: the keyboard's, its boot loader's and
// another device's. Nothing answers on them; the harness speaks instead.
struct Ports
{
    Ports()
    {
        for (const auto& name : { otherPort, keyboardPort, bootLoaderPort })
        {
            ports.addInput (name);
            outputs.push_back (ports.addOutput (name));
        }
    }

    VirtualMidiPorts ports;
    std::vector<VirtualMidiPorts::PortId> outputs;
};

// The opened input a message arrives on: the manager tells the keyboard's
// input from the others by its name.
class NamedInput : public MidiInputPort
{
public:
    explicit NamedInput (juce::String nameToUse) : name (std::move (nameToUse)) {}
    void start() override {}
    void stop() override {}
    juce::String getName() const override { return name; }

private:
    juce::String name;
};

// While the manager sleeps waiting for a query's reply, the MIDI input
// thread gets its turn: the next message arrives at each of its polls.
// Nothing else runs meanwhile, so the sleeps only move the clock, without
// yielding the thread, which costs a time slice on a busy machine.
class DeliveringClock : public ManualClock
{
public:
    std::function<void()> onSleep;

    void sleep (int milliseconds) override
    {
        advance (milliseconds);
        if (onSleep)
            onSleep();
    }

    void sleepUntil (double target) override { set (std::max (target, getMillisecondCounterHiRes())); }
};

// The settings panel's part: every reply of the read-back asks for the next value.
class ReadBackListener : public OrvaneManagerListener
{
public:
    explicit ReadBackListener (OrvaneManager49& manager) : chain (manager) {}
    void keyboardEvent (int event, int a, int, int) override { chain.handle (event, a); }

private:
    ReadBackChain chain;
};

// The firmware transfer's part: what the boot loader says goes to the updater.
class UpdaterCallback : public MidiInputPortCallback
{
public:
    explicit UpdaterCallback (Clock& clock) : updater (clock) {}
    void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message) override { updater.handleMidiMessage (message); }

private:
    SolvikFWUpdater updater;
};

struct Query
{
    int parameter, item, memory;
};

// What the editor asks with queryValue: pad gains, in their own memory or any.
const Query queries[] = { { OrvaneMidiMessage49::parameterPadGain, 0x70, OrvaneMidiMessage49::padGainMemory },
                          { OrvaneMidiMessage49::parameterPadGain, 0x77, -1 },
                          { OrvaneMidiMessage49::parameterNumber, 0x30, 0 },
                          { OrvaneMidiMessage49::parameterGlobal, OrvaneMidiMessage49::globalMidiChannel, -1 } };

const int deviceCodes[] = { DeviceCode::vorlo, DeviceCode::vantry, DeviceCode::mill, DeviceCode::rover };

[[noreturn]] void fail (const juce::String& what)
{
    std::cerr << what << std::endl;
    std::abort();
}

juce::String hexOf (const juce::MidiMessage& message) { return juce::String::toHexString (message.getRawData(), message.getRawDataSize()); }

// Whether a reply to the query that arrived carried this value.
bool isAnswerAmong (int value, const Query& query, const std::vector<juce::MidiMessage>& delivered)
{
    for (const auto& message : delivered)
    {
        const OrvaneMidiMessage49 reply (message);
        if (reply.isOwnSysEx() && reply.hasValue()
            && reply.matches (OrvaneMidiMessage49::operationValue, query.parameter, query.item, query.memory) && reply.getValue() == value)
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    static Ports& rig = *new Ports(); // never destroyed: its delivery threads outlive every input
    OrvaneManager49::setMidiInputsAllowed (true);
    rig.ports.clearSentMessages();

    FuzzedMidi::ByteReader reader (data, size);
    const int choice = reader.next();
    const auto state = static_cast<State> (choice & 3);
    const int option = choice >> 2;
    const juce::String sourceNames[] = { keyboardPort, bootLoaderPort, otherPort };
    NamedInput source (sourceNames[reader.next() % 3]);
    const auto messages = FuzzedMidi::cutIntoMessages (reader.rest(), reader.restSize());

    DeliveringClock clock;
    UpdaterCallback firmwareCallback (clock);
    OrvaneManager49 manager (rig.ports, clock);
    ReadBackListener listener (manager);
    manager.addListener (&listener);

    std::vector<juce::MidiMessage> delivered;
    const auto deliverNext = [&]
    {
        if (delivered.size() == messages.size())
            return false;
        delivered.push_back (messages[delivered.size()]);
        manager.handleIncomingMidiMessage (&source, delivered.back());
        return true;
    };

    switch (state)
    {
        case State::probing: manager.startDetection(); break;
        case State::detected: manager.setDevice (keyboardPort, keyboardPort, deviceCodes[option % 4]); break;
        case State::queryPending:
        {
            manager.setDevice (keyboardPort, keyboardPort, DeviceCode::vorlo);
            const auto& query = queries[option % 4];
            clock.onSleep = deliverNext;
            const int value = manager.queryValue (query.parameter, query.item, query.memory);
            clock.onSleep = nullptr;
            if (value != -1 && ! isAnswerAmong (value, query, delivered))
                fail ("a query took the value " + juce::String (value) + ", which no reply carried");
            break;
        }
        case State::firmwareAttached:
            manager.setDevice (keyboardPort, keyboardPort, DeviceCode::vorlo);
            if (! manager.attachFirmwareCallback (&firmwareCallback, bootLoaderPort))
                std::abort();
            break;
    }

    // While probing, the detection tick comes every few messages.
    const int messagesPerTick = 1 + option % 4;
    for (int count = 1; deliverNext(); ++count)
    {
        if (state == State::probing && count % messagesPerTick == 0 && manager.isProbing())
        {
            clock.advance (OrvaneManager49::probeIntervalMs);
            manager.timerCallback();
        }
    }

    // What the replies left in the cache goes back, as "Send to Keyboard" does.
    if ((option & 4) != 0)
        manager.sendAllToKeyboard ((option >> 3) % 8);

    for (const auto output : rig.outputs)
        for (const auto& sent : rig.ports.getSentMessages (output))
            if (! FuzzedMidi::isWellFormed (sent.message))
                fail ("the manager sent a malformed message: " + hexOf (sent.message));

    return 0;
}
