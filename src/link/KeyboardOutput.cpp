#include "link/KeyboardOutput.h"

#include "protocol/OrvaneMidiMessage49.h"

bool KeyboardOutput::openByName (const juce::String& name)
{
    const int index = ports.getOutputNames().indexOf (name);
    if (index < 0)
        return false;

    // Opened outside the lock: a MIDI callback sending meanwhile may hold the
    // ports' own lock.
    hold (ports.openOutput (index));
    return true;
}

void KeyboardOutput::hold (std::unique_ptr<MidiOutputPort> newOutput)
{
    const juce::ScopedLock locked (lock);
    output = std::move (newOutput);
}

void KeyboardOutput::close() { hold (nullptr); }

bool KeyboardOutput::isOpen() const
{
    const juce::ScopedLock locked (lock);
    return output != nullptr;
}

bool KeyboardOutput::send (const juce::MidiMessage& message)
{
    // Whatever the cache or a caller holds, the keyboard never gets a SysEx
    // message it cannot parse.
    if (! OrvaneMidiMessage49 (message).hasOnlySevenBitData())
        return false;

    const juce::ScopedLock sending (sendLock);
    {
        const juce::ScopedLock locked (lock);
        if (output == nullptr)
            return false;

        if (! output->sendMessageNow (message))
        {
            markUnpluggedLocked();
            return false;
        }
    }

    waitOutPacingGap();
    return true;
}

void KeyboardOutput::waitOutPacingGap()
{
    // The keyboard needs its full pause after every message, so each gap is
    // counted from the moment this message left; one that overslept is never
    // made up by shortening the next.
    clock.sleepUntil (clock.getMillisecondCounterHiRes() + pacingMs);
}

bool KeyboardOutput::isPresent() const
{
    juce::String name;
    {
        const juce::ScopedLock locked (lock);
        if (output == nullptr)
            return false;
        name = output->getName();
    }

    return ports.getOutputNames().contains (name);
}

void KeyboardOutput::markUnplugged()
{
    const juce::ScopedLock locked (lock);
    markUnpluggedLocked();
}

void KeyboardOutput::markUnpluggedLocked()
{
    unplugged = true;
    output.reset();
}

bool KeyboardOutput::isUnplugged() const
{
    const juce::ScopedLock locked (lock);
    return unplugged;
}

void KeyboardOutput::markPluggedIn()
{
    const juce::ScopedLock locked (lock);
    unplugged = false;
}
