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
// The shared state of the ports and the delivery thread. Handles of opened
// ports keep it alive, so they may outlive the VirtualMidiPorts object.
//
// Locks: callbackMutex is held while a callback or receiver runs, so that
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

    Hub() : thread ([this] { run(); }) {}

    ~Hub() { jassert (! thread.joinable()); }

    void shutDown()
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            quitting = true;
        }
        wakeUp.notify_all();
        thread.join();
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
        const std::lock_guard<std::recursive_mutex> callbackLock (callbackMutex);
        const std::lock_guard<std::mutex> lock (stateMutex);
        if (auto* port = find (id))
        {
            port->present = false;
            port->receiver = nullptr;
        }
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

    juce::String nameOf (PortId id)
    {
        const std::lock_guard<std::mutex> lock (stateMutex);
        return ports.at (id).name;
    }

    std::shared_ptr<OpenedInput> registerInput (PortId id, MidiInputPortCallback& callback, MidiInputPort& handle)
    {
        auto entry = std::make_shared<OpenedInput>();
        entry->port = id;
        entry->callback = &callback;
        entry->handle = &handle;

        const std::lock_guard<std::mutex> lock (stateMutex);
        entry->name = ports.at (id).name;
        openedInputs.push_back (entry);
        return entry;
    }

    void setStarted (OpenedInput& entry, bool started)
    {
        // Taking the callback lock makes stop() wait for a delivery in progress.
        const std::lock_guard<std::recursive_mutex> callbackLock (callbackMutex);
        const std::lock_guard<std::mutex> lock (stateMutex);
        entry.started = started;
    }

    void unregisterInput (const std::shared_ptr<OpenedInput>& entry)
    {
        const std::lock_guard<std::recursive_mutex> callbackLock (callbackMutex);
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

    void send (PortId output, const juce::MidiMessage& message)
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            auto* port = find (output);
            if (port == nullptr || ! port->present)
                return;

            const double now = nowMs();
            port->sent.push_back ({ now, message });
            enqueue (now, output, false, message);

            if (port->loopbackInput >= 0)
                enqueue (now, port->loopbackInput, true, message);
        }
        wakeUp.notify_all();
    }

    void sendToInput (PortId input, const juce::MidiMessage& message, double delayMs)
    {
        {
            const std::lock_guard<std::mutex> lock (stateMutex);
            enqueue (nowMs() + delayMs, input, true, message);
        }
        wakeUp.notify_all();
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
        std::unique_lock<std::mutex> lock (stateMutex);
        return idle.wait_for (lock, std::chrono::milliseconds (timeoutMs), [this] { return queue.empty() && ! delivering; });
    }

private:
    struct Delivery
    {
        PortId port = -1;
        bool toInput = false;
        juce::MidiMessage message;
    };

    // Ordered by due time, then by the order they were queued.
    using QueueKey = std::pair<double, juce::uint64>;

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

    void enqueue (double due, PortId port, bool toInput, const juce::MidiMessage& message)
    {
        queue.emplace (QueueKey { due, nextSequence++ }, Delivery { port, toInput, message });
    }

    void run()
    {
        std::unique_lock<std::mutex> lock (stateMutex);

        while (! quitting)
        {
            if (queue.empty())
            {
                idle.notify_all();
                wakeUp.wait (lock);
                continue;
            }

            const double waitMs = queue.begin()->first.first - nowMs();
            if (waitMs > 0.0)
            {
                wakeUp.wait_for (lock, std::chrono::microseconds ((juce::int64) (waitMs * 1000.0) + 1));
                continue;
            }

            const Delivery delivery = std::move (queue.begin()->second);
            queue.erase (queue.begin());
            delivering = true;
            lock.unlock();

            deliver (delivery);

            lock.lock();
            delivering = false;
        }
    }

    void deliver (const Delivery& delivery)
    {
        const std::lock_guard<std::recursive_mutex> callbackLock (callbackMutex);

        if (delivery.toInput)
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
        else
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
    }

    std::recursive_mutex callbackMutex;
    std::mutex stateMutex;
    std::condition_variable wakeUp, idle;

    std::map<PortId, Port> ports;
    std::vector<PortId> order;
    std::vector<std::shared_ptr<OpenedInput>> openedInputs;
    std::map<QueueKey, Delivery> queue;
    PortId nextPortId = 1;
    juce::uint64 nextSequence = 0;
    bool delivering = false;
    bool quitting = false;

    std::thread thread;
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

    void sendMessageNow (const juce::MidiMessage& message) override { hub->send (port, message); }
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
