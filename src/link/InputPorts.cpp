#include "link/InputPorts.h"

void InputPorts::openAll()
{
    closeAll();

    const int count = ports.getInputNames().size();
    const juce::ScopedLock locked (lock);

    for (int i = 0; i < count; ++i)
    {
        auto input = ports.openInput (i, callback);
        if (input != nullptr)
            input->start();
        opened.push_back (std::move (input));
    }
}

void InputPorts::openOnly (const juce::String& name)
{
    closeAll();

    const int index = ports.getInputNames().indexOf (name);
    if (index < 0)
        return;

    auto input = ports.openInput (index, callback);
    if (input == nullptr)
        return;
    input->start();
    const juce::ScopedLock locked (lock);
    opened.push_back (std::move (input));
}

void InputPorts::closeAll()
{
    // Stopping an input waits for its callback to return, and that callback
    // may be waiting for a lock of the caller's: take the inputs out under
    // the lock and stop them outside it.
    std::vector<std::unique_ptr<MidiInputPort>> closing;
    {
        const juce::ScopedLock locked (lock);
        closing.swap (opened);
    }

    for (auto& input : closing)
        if (input != nullptr)
            input->stop();

    closing.clear();
}
