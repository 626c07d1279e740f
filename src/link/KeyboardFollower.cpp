#include "link/KeyboardFollower.h"

KeyboardFollower::KeyboardFollower (OrvaneManager49& managerToUse, MidiPorts& portsToUse) : manager (managerToUse), ports (portsToUse) {}

KeyboardFollower::~KeyboardFollower() { stopTimer(); }

void KeyboardFollower::startFollowing()
{
    outputsSeen = ports.getOutputNames();
    if (manager.isProbing())
        state = State::searching;
    else if (manager.isKeyboardDetected())
        state = manager.isKeyboardUnplugged() ? State::disconnected : State::connected;
    else
        state = State::notFound;

    startTimer (pollIntervalMs);
}

void KeyboardFollower::poll()
{
    const auto outputs = ports.getOutputNames();

    // During a firmware transfer the keyboard leaves and comes back as its
    // boot loader: that is neither unplugging nor a keyboard to search for.
    // The lists are still taken, so that the keyboard restarting after the
    // transfer is a new output, searched for even when the search that
    // follows the transfer came too early to find it.
    if (manager.isFirmwareCallbackAttached())
    {
        outputsSeen = outputs;
        return;
    }

    const bool outputAdded =
        std::any_of (outputs.begin(), outputs.end(), [this] (const juce::String& name) { return ! outputsSeen.contains (name); });

    // Outputs that come while the manager probes may lie beyond the ones it
    // probes: they count as new once it has ended.
    bool outputsTaken = true;

    switch (state)
    {
        case State::searching:
            if (manager.isProbing())
                outputsTaken = false;
            else
                setState (stateAfterSearch (outputAdded, outputs));
            break;

        case State::connected:
            if (manager.isKeyboardUnplugged() || ! keyboardPortsListed (outputs))
            {
                manager.markKeyboardUnplugged();
                setState (State::disconnected);
            }
            else if (manager.isProbing()) // another part of the editor searches again
                setState (State::searching);
            break;

        case State::notFound:
        case State::disconnected:
            // Right after a detection the manager still listens for a while
            // and will not start another: that search comes at a later poll.
            if (manager.isProbing())
                outputsTaken = false;
            // A keyboard that only stopped taking messages is still listed:
            // its output may have been pulled and plugged back between polls.
            else if (outputAdded || (state == State::disconnected && keyboardPortsListed (outputs)))
                setState (searchAgain (outputs));
            break;
    }

    if (outputsTaken && state != State::searching)
        outputsSeen = outputs;

    if (listener != nullptr)
        listener->keyboardPolled();
}

KeyboardFollower::State KeyboardFollower::stateAfterSearch (bool outputAdded, const juce::StringArray& outputs)
{
    const bool searchedHere = std::exchange (searchStartedHere, false);

    if (manager.isKeyboardDetected() && ! manager.isKeyboardUnplugged())
        return State::connected;
    if (outputAdded)
        return searchAgain (outputs);

    // Unplugged while another search ran: it has yet to be searched for.
    // One that a search of ours did not find waits for a new port.
    return manager.isKeyboardUnplugged() && ! searchedHere ? State::disconnected : State::notFound;
}

KeyboardFollower::State KeyboardFollower::searchAgain (const juce::StringArray& outputs)
{
    outputsSeen = outputs;
    searchStartedHere = true;
    manager.startDetection();
    return manager.isProbing() ? State::searching : State::notFound;
}

void KeyboardFollower::setState (State newState)
{
    if (newState == state)
        return;

    state = newState;
    if (listener != nullptr)
        listener->keyboardStateChanged (state);
}

bool KeyboardFollower::keyboardPortsListed (const juce::StringArray& outputs) const
{
    // The input's name is the one the keyboard speaks on; without inputs
    // (the port-name fallback) it is the output's.
    const auto outputName = manager.getOutputPortName();
    const auto inputName = manager.getInputPortName();
    return outputs.contains (outputName) && (inputName == outputName || ports.getInputNames().contains (inputName));
}
