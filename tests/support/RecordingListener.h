#pragma once

#include "link/OrvaneManagerListener.h"

#include "JuceIncludes.h"

#include <condition_variable>
#include <mutex>
#include <vector>

// Records the manager's events from whichever thread raises them.
class RecordingListener : public OrvaneManagerListener
{
public:
    struct Event
    {
        int event, a, b;
        bool onMessageThread;
        bool operator== (const Event& other) const { return event == other.event && a == other.a && b == other.b; }
    };

    void keyboardEvent (int event, int a, int b, int) override
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            events.push_back ({ event, a, b, juce::MessageManager::existsAndIsCurrentThread() });
        }
        changed.notify_all();
    }

    std::vector<Event> getEvents() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return events;
    }

    std::vector<int> getEventCodes() const
    {
        std::vector<int> codes;
        for (const auto& e : getEvents())
            codes.push_back (e.event);
        return codes;
    }

    int count (int event) const
    {
        int n = 0;
        for (const auto& e : getEvents())
            n += e.event == event ? 1 : 0;
        return n;
    }

    // Waits on this thread (not the message loop) for an event to arrive.
    bool waitFor (int event, int timeoutMs = 2000) const
    {
        std::unique_lock<std::mutex> lock (mutex);
        return changed.wait_for (lock, std::chrono::milliseconds (timeoutMs),
                                 [&]
                                 {
                                     for (const auto& e : events)
                                         if (e.event == event)
                                             return true;
                                     return false;
                                 });
    }

    void clear()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        events.clear();
    }

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<Event> events;
};
