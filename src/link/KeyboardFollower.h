#pragma once

#include "link/OrvaneManager49.h"

// Follows the keyboard as it is plugged in, pulled out and plugged back while
// the editor runs. JUCE tells nothing when MIDI devices come and go, so it
// reads the port lists about once a second on the message thread: when a
// search has ended without a keyboard and a new output appears, it starts
// detection again; when the keyboard's ports vanish, or a message to it did
// not leave, it marks the keyboard unplugged. One change of state, one call
// to the listener; nothing while the lists stay the same.
class KeyboardFollower : private juce::Timer
{
public:
    enum class State
    {
        searching,   // detection is probing the outputs
        connected,   // a keyboard was detected and its ports are listed
        notFound,    // a search ended without a keyboard
        disconnected // the detected keyboard's ports vanished
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void keyboardStateChanged (State state) = 0;
        // After every poll, for whatever waits on the keyboard by the clock.
        virtual void keyboardPolled() {}
    };

    KeyboardFollower (OrvaneManager49& manager, MidiPorts& ports);
    ~KeyboardFollower() override;

    void setListener (Listener* listenerToUse) { listener = listenerToUse; }

    // Takes the manager's state and the port lists as they are now, then
    // polls every pollIntervalMs.
    void startFollowing();

    // One look at the port lists: what the timer does. Message thread only.
    void poll();

    State getState() const noexcept { return state; }
    // A search that this follower started, not the editor's first, is under way.
    bool isSearchingAgain() const noexcept { return state == State::searching && searchStartedHere; }

    static constexpr int pollIntervalMs = 1000;

private:
    void timerCallback() override { poll(); }
    void setState (State newState);
    State searchAgain (const juce::StringArray& outputs);
    State stateAfterSearch (bool outputAdded, const juce::StringArray& outputs);
    bool keyboardPortsListed (const juce::StringArray& outputs) const;

    OrvaneManager49& manager;
    MidiPorts& ports;
    Listener* listener = nullptr;

    State state = State::notFound;
    bool searchStartedHere = false;
    // The outputs as of the last poll, or as the running search began: an
    // output is new against these.
    juce::StringArray outputsSeen;

    JUCE_DECLARE_NON_COPYABLE (KeyboardFollower)
};
