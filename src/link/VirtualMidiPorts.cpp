#include "link/VirtualMidiPorts.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace
{
double nowMs() { return juce::Time::getMillisecondCounterHiRes(); }
} // namespace

//==============================================================================
// The shared state of the ports and their delivery threads. Handles of opened
// ports keep it alive, so they may outlive the VirtualMidiPorts object.
//
// Two lanes deliver, each on its own thread and in order: one to the editor's
// input callbacks, one to the devices' receivers. Like a real cable, a device
// hears what the editor sent even while the editor's MIDI thread is busy.
//
// Locks: a lane's callbackMutex is held while its callbacks run, so that
// stopping an input or unplugging a device waits for a delivery in progress;
// it is recursive because a callback may close its own input. stateMutex
// guards everything else and is never held while calling out. Order:
// callbackMutex before stateMutex.
class VirtualMidiPorts::Hub
{
public:
    struct Port
    {
        juce::String name;
        bool isInput = false;
        bool present = true;
        bool failsToOpen = false;
        Receiver* receiver = nullptr;
        PortId loopbackInput = -1;
        std::vector<SentMessage> sent;
    };

    struct OpenedInput
    {
        PortId port = -1;
        juce::String name;
        MidiInputPortCallback* callback = nullptr;
        MidiInputPort* handle = nullptr;
        bool started = false;
        bool alive = true;
    };

    Hub()
    {
        for (auto* lane : { &toInputs, &toDevices })
            lane->thread = std::thread ([this, lane] { run (*lane); });
    }

    ~Hub() { jassert (! toInputs.thread.joinable() && ! toDevices.thread.joinable()); }

    void shutDown()
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            quitting = true;
        }
        for (auto* lane : { &toInputs, &toDevices })
        {
            lane->wakeUp.notify_all();
            lane->thread.join();
        }
    }

    PortId addPort (const juce::String& name, bool isInput, Receiver* receiver)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        const PortId id = nextPortId++;
        Port port;
        port.name = name;
        port.isInput = isInput;
        port.receiver = receiver;
        ports.emplace (id, std::move (port));
        order.push_back (id);
        return id;
    }

    void removePort (PortId id)
    {
        const std::lock_guard<std::recursive_mutex> callbackLock (toDevices.callbackMutex);
        const std::lock_guard<std::mutex> lock (stateMutex);
        order.erase (std::remove (order.begin(), order.end(), id), order.end());

        // Without a record to read back, nothing more can be asked of an
        // unplugged port: it goes, or every plugging in would leave one behind.
        if (! recording)
            ports.erase (id);
        else if (auto* port = find (id))
        {
            port->present = false;
            port->receiver = nullptr;
        }
    }

    void setRecording (bool shouldRecord)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        recording = shouldRecord;
    }

    void connectLoopback (PortId output, PortId input)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        if (auto* port = find (output))
            port->loopbackInput = input;
    }

    void setFailsToOpen (PortId id, bool fails)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        if (auto* port = find (id))
            port->failsToOpen = fails;
    }

    juce::StringArray namesOf (bool inputs)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        juce::StringArray names;
        for (auto id : presentPorts (inputs))
            names.add (ports.at (id).name);
        return names;
    }

    // The id of the index-th present port, if it may be opened.
    PortId portToOpen (bool inputs, int index)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        const auto present = presentPorts (inputs);
        if (! juce::isPositiveAndBelow (index, (int) present.size()))
            return -1;

        const PortId id = present[(size_t) index];
        return ports.at (id).failsToOpen ? -1 : id;
    }

    // Empty for a port unplugged since it was found to open.
    juce::String nameOf (PortId id)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        auto* port = find (id);
        return port != nullptr ? port->name : juce::String();
    }

    std::shared_ptr<OpenedInput> registerInput (PortId id, MidiInputPortCallback& callback, MidiInputPort& handle)
    {
        auto entry = std::make_shared<OpenedInput>();
        entry->port = id;
        entry->callback = &callback;
        entry->handle = &handle;

        const std::lock_guard<std::mutex> lock (stateMutex);
        if (auto* port = find (id))
            entry->name = port->name;
        openedInputs.push_back (entry);
        return entry;
    }

    void setStarted (OpenedInput& entry, bool started)
    {
        // Taking the callback lock makes stop() wait for a delivery in progress.
        const std::lock_guard<std::recursive_mutex> callbackLock (toInputs.callbackMutex);
        const std::lock_guard<std::mutex> lock (stateMutex);
        entry.started = started;
    }

    void unregisterInput (const std::shared_ptr<OpenedInput>& entry)
    {
        const std::lock_guard<std::recursive_mutex> callbackLock (toInputs.callbackMutex);
        const std::lock_guard<std::mutex> lock (stateMutex);
        entry->alive = false;
        entry->started = false;
        openedInputs.erase (std::remove (openedInputs.begin(), openedInputs.end(), entry), openedInputs.end());
    }

    int numOpenInputs()
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        return (int) openedInputs.size();
    }

    bool send (PortId output, const juce::MidiMessage& message)
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            auto* port = find (output);
            if (port == nullptr || ! port->present)
                return false;

            const double now = nowMs();
            if (recording)
                port->sent.push_back ({ now, message });
            enqueue (toDevices, now, output, message);

            if (port->loopbackInput >= 0)
                enqueue (toInputs, now, port->loopbackInput, message);
        }
        toDevices.wakeUp.notify_all();
        toInputs.wakeUp.notify_all();
        return true;
    }

    void sendToInput (PortId input, const juce::MidiMessage& message, double delayMs)
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            enqueue (toInputs, nowMs() + delayMs, input, message);
        }
        toInputs.wakeUp.notify_all();
    }

    std::vector<SentMessage> sentOn (PortId output)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        if (auto* port = find (output))
            return port->sent;
        return {};
    }

    void clearSent()
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        for (auto& [id, port] : ports)
            port.sent.clear();
    }

    bool waitUntilIdle (int timeoutMs)
    {
        // A device's reply may follow a delivery to it, and the other way
        // round: idle means both lanes are, at the same moment.
        std::unique_lock<std::mutex> lock (stateMutex);
        return idle.wait_for (lock, std::chrono::milliseconds (timeoutMs), [this] { return toInputs.isIdle() && toDevices.isIdle(); });
    }

private:
    struct Delivery
    {
        PortId port = -1;
        juce::MidiMessage message;
    };

    // Ordered by due time, then by the order they were queued.
    using QueueKey = std::pair<double, juce::uint64>;

    struct Lane
    {
        std::recursive_mutex callbackMutex;
        std::condition_variable wakeUp;
        std::map<QueueKey, Delivery> queue;
        bool delivering = false;
        std::thread thread;

        bool isIdle() const { return queue.empty() && ! delivering; }
    };

    Port* find (PortId id)
    {
        auto it = ports.find (id);
        return it != ports.end() ? &it->second : nullptr;
    }

    std::vector<PortId> presentPorts (bool inputs) const
    {
        std::vector<PortId> result;
        for (auto id : order)
        {
            const auto& port = ports.at (id);
            if (port.present && port.isInput == inputs)
                result.push_back (id);
        }
        return result;
    }

    void enqueue (Lane& lane, double due, PortId port, const juce::MidiMessage& message)
    {
        lane.queue.emplace (QueueKey { due, nextSequence++ }, Delivery { port, message });
    }

    void run (Lane& lane)
    {
        std::unique_lock<std::mutex> lock (stateMutex);

        while (! quitting)
        {
            if (lane.queue.empty())
            {
                idle.notify_all();
                lane.wakeUp.wait (lock);
                continue;
            }

            const double waitMs = lane.queue.begin()->first.first - nowMs();
            if (waitMs > 0.0)
            {
                lane.wakeUp.wait_for (lock, std::chrono::microseconds ((juce::int64) (waitMs * 1000.0) + 1));
                continue;
            }

            const Delivery delivery = std::move (lane.queue.begin()->second);
            lane.queue.erase (lane.queue.begin());
            lane.delivering = true;
            lock.unlock();

            {
                const std::lock_guard<std::recursive_mutex> callbackLock (lane.callbackMutex);
                if (&lane == &toInputs)
                    deliverToInput (delivery);
                else
                    deliverToDevice (delivery);
            }

            lock.lock();
            lane.delivering = false;
        }
    }

    void deliverToInput (const Delivery& delivery)
    {
        std::vector<std::shared_ptr<OpenedInput>> listeners;
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            auto* port = find (delivery.port);
            if (port == nullptr || ! port->present)
                return;

            for (auto& entry : openedInputs)
                if (entry->port == delivery.port)
                    listeners.push_back (entry);
        }

        for (auto& entry : listeners)
        {
            MidiInputPortCallback* callback = nullptr;
            {
                // A callback earlier in this loop may have closed this input.
                const std::lock_guard<std::mutex> lock (stateMutex);
                if (entry->alive && entry->started)
                    callback = entry->callback;
            }
            if (callback != nullptr)
                callback->handleIncomingMidiMessage (entry->handle, delivery.message);
        }
    }

    void deliverToDevice (const Delivery& delivery)
    {
        Receiver* receiver = nullptr;
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            if (auto* port = find (delivery.port); port != nullptr && port->present)
                receiver = port->receiver;
        }
        if (receiver != nullptr)
            receiver->receive (delivery.message);
    }

    std::mutex stateMutex;
    std::condition_variable idle;
    Lane toInputs, toDevices;

    std::map<PortId, Port> ports;
    std::vector<PortId> order;
    std::vector<std::shared_ptr<OpenedInput>> openedInputs;
    PortId nextPortId = 1;
    juce::uint64 nextSequence = 0;
    bool quitting = false;
    bool recording = true;
};

//==============================================================================
class VirtualMidiPorts::InputHandle final : public MidiInputPort
{
public:
    InputHandle (std::shared_ptr<Hub> hubToUse, PortId port, MidiInputPortCallback& callback)
        : hub (std::move (hubToUse)), entry (hub->registerInput (port, callback, *this))
    {
    }

    ~InputHandle() override { hub->unregisterInput (entry); }

    void start() override { hub->setStarted (*entry, true); }
    void stop() override { hub->setStarted (*entry, false); }
    juce::String getName() const override { return entry->name; }

private:
    std::shared_ptr<Hub> hub;
    std::shared_ptr<Hub::OpenedInput> entry;
};

class VirtualMidiPorts::OutputHandle final : public MidiOutputPort
{
public:
    OutputHandle (std::shared_ptr<Hub> hubToUse, PortId portToUse) : hub (std::move (hubToUse)), port (portToUse), name (hub->nameOf (port))
    {
    }

    bool sendMessageNow (const juce::MidiMessage& message) override { return hub->send (port, message); }
    juce::String getName() const override { return name; }

private:
    std::shared_ptr<Hub> hub;
    PortId port;
    juce::String name;
};

//==============================================================================
VirtualMidiPorts::VirtualMidiPorts() : hub (std::make_shared<Hub>()) {}

VirtualMidiPorts::~VirtualMidiPorts() { hub->shutDown(); }

VirtualMidiPorts::PortId VirtualMidiPorts::addInput (const juce::String& name) { return hub->addPort (name, true, nullptr); }

VirtualMidiPorts::PortId VirtualMidiPorts::addOutput (const juce::String& name, Receiver* receiver)
{
    return hub->addPort (name, false, receiver);
}

void VirtualMidiPorts::removePort (PortId port) { hub->removePort (port); }
void VirtualMidiPorts::connectLoopback (PortId output, PortId input) { hub->connectLoopback (output, input); }
void VirtualMidiPorts::setFailsToOpen (PortId port, bool fails) { hub->setFailsToOpen (port, fails); }

void VirtualMidiPorts::sendToInput (PortId input, const juce::MidiMessage& message, double delayMs)
{
    hub->sendToInput (input, message, delayMs);
}

std::vector<VirtualMidiPorts::SentMessage> VirtualMidiPorts::getSentMessages (PortId output) const { return hub->sentOn (output); }

void VirtualMidiPorts::clearSentMessages() { hub->clearSent(); }
void VirtualMidiPorts::setRecording (bool shouldRecord) { hub->setRecording (shouldRecord); }
int VirtualMidiPorts::getNumOpenInputs() const { return hub->numOpenInputs(); }
bool VirtualMidiPorts::waitUntilIdle (int timeoutMs) const { return hub->waitUntilIdle (timeoutMs); }

juce::StringArray VirtualMidiPorts::getInputNames() { return hub->namesOf (true); }
juce::StringArray VirtualMidiPorts::getOutputNames() { return hub->namesOf (false); }

std::unique_ptr<MidiInputPort> VirtualMidiPorts::openInput (int index, MidiInputPortCallback& callback)
{
    const PortId port = hub->portToOpen (true, index);
    if (port < 0)
        return {};
    return std::make_unique<InputHandle> (hub, port, callback);
}

std::unique_ptr<MidiOutputPort> VirtualMidiPorts::openOutput (int index)
{
    const PortId port = hub->portToOpen (false, index);
    if (port < 0)
        return {};
    return std::make_unique<OutputHandle> (hub, port);
}
