#include "link/IdentityProbe.h"

namespace
{
// The universal identity request, addressed to all devices.
const juce::MidiMessage identityRequest { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 };

constexpr int pauseAfterProbeMs = 5;
constexpr int firstTickDelayMs = 500;
} // namespace

bool IdentityProbe::start()
{
    outputCount = ports.getOutputNames().size();
    probeIndex = 0;
    passesLeft = probePasses;

    if (outputCount == 0)
        return false;

    probe (0);
    lastTickMs = clock.getMillisecondCounter() + firstTickDelayMs;
    return true;
}

void IdentityProbe::stop() { probeOutput.reset(); }

IdentityProbe::Step IdentityProbe::tick (bool keyboardFound)
{
    const auto now = clock.getMillisecondCounter();
    if ((juce::int32) (now - lastTickMs) <= tickGuardMs)
        return Step::tooSoon;
    lastTickMs = now;

    if (! keyboardFound)
    {
        if (const int next = ++probeIndex; next < outputCount)
        {
            probe (next);
            return Step::probing;
        }
    }

    --passesLeft;

    if (! keyboardFound && passesLeft > 0)
    {
        probe (0);
        return Step::probing;
    }

    stop();
    return Step::over;
}

void IdentityProbe::probe (int index)
{
    probeIndex = index;
    probeOutput.reset();
    probeOutput = ports.openOutput (index);

    // A port that will not open is skipped until the next tick.
    if (probeOutput != nullptr)
    {
        probeOutput->sendMessageNow (identityRequest);
        clock.sleep (pauseAfterProbeMs);
    }
}
