#include "link/ReadBackChain.h"

ReadBackChain::ReadBackChain (OrvaneManager49& managerToUse) : manager (managerToUse) {}

ReadBackChain::Outcome ReadBackChain::handle (int event, int a)
{
    switch (event)
    {
        case eventDetected:
            // Another model of the family is only named: its settings are
            // not the Vorlo's and are left unread.
            if (! manager.isVorloDetected())
            {
                stop();
                return Outcome::refreshGlobals;
            }

            // A new detection restarts the chain from the beginning.
            start();
            return Outcome::nothing;

        case eventDetectionEnded: manager.setDetectionFinished (true); return Outcome::refreshGlobals;

        default: break;
    }

    // Only the keyboard's replies show that it still answers: knobs turned
    // meanwhile must not keep a stalled chain waiting.
    if (! readingBack || ! isReply (event) || ! takeReply (replyTo (event, a)))
        return Outcome::nothing;

    noteStep();

    switch (event)
    {
        case eventControllerNumbers: request ({ eventParameterValues, 1 }); return Outcome::nothing;
        case eventParameterValues: return continueWithParameters (a);
        case eventMidiChannel: request ({ eventRelativeMode, 0 }); return Outcome::nothing;
        case eventRelativeMode: request ({ eventCurveValue, 4 }); return Outcome::nothing;
        case eventCurveValue: return continueWithCurves (a);
        case eventGlobalValue: return continueWithGlobals (a);
        case eventOctaveShift: return finishWithOctaveShift();
        default: return Outcome::nothing;
    }
}

bool ReadBackChain::isReply (int event)
{
    switch (event)
    {
        case eventControllerNumbers:
        case eventParameterValues:
        case eventMidiChannel:
        case eventRelativeMode:
        case eventCurveValue:
        case eventGlobalValue:
        case eventOctaveShift: return true;
        default: return false;
    }
}

ReadBackChain::Outcome ReadBackChain::continueWithParameters (int parameter)
{
    // Modes, channels, min/LSB, max/MSB, options: all controls at once each.
    switch (parameter)
    {
        case 1: request ({ eventParameterValues, 2 }); break;
        case 2: request ({ eventParameterValues, 4 }); break;
        case 4: request ({ eventParameterValues, 5 }); break;
        case 5: request ({ eventParameterValues, 6 }); break;
        case 6: request ({ eventMidiChannel, 0 }); break;
        default: finish(); break;
    }
    return Outcome::nothing;
}

ReadBackChain::Outcome ReadBackChain::continueWithCurves (int curve)
{
    switch (curve)
    {
        case 4: request ({ eventCurveValue, 3 }); return Outcome::nothing;
        case 3: request ({ eventCurveValue, 1 }); return Outcome::nothing;
        case 1: request ({ eventOctaveShift, 0 }); return Outcome::refreshGlobals;
        default: return Outcome::nothing;
    }
}

ReadBackChain::Outcome ReadBackChain::continueWithGlobals (int index)
{
    // Continues a chain that a reply for global 5 started.
    switch (index)
    {
        case 5: request ({ eventGlobalValue, 1 }); return Outcome::nothing;
        case 1: request ({ eventGlobalValue, 7 }); return Outcome::nothing;
        case 7: request ({ eventGlobalValue, 8 }); return Outcome::nothing;
        case 8: request ({ eventOctaveShift, 0 }); return Outcome::refreshGlobals;
        default: return Outcome::nothing;
    }
}

ReadBackChain::Outcome ReadBackChain::finishWithOctaveShift()
{
    for (int i = 0; i < numLeds; ++i)
        manager.sendLedState (firstLed + i, 0);
    completed = true;
    finish();
    return Outcome::nothing;
}

void ReadBackChain::start()
{
    // What the editor held before is forgotten, so that whatever this chain
    // does not get to read shows as not read.
    manager.getCache().forgetEverything();
    manager.holdInputsForReadBack (true);
    {
        const juce::ScopedLock sl (stepLock);
        taken.clear();
        awaited.reset();
    }
    readingBack = true;
    completed = false;
    requestsSent = 0;
    noteStep();
    request ({ eventControllerNumbers, 0 });
}

ReadBackChain::Reply ReadBackChain::replyTo (int event, int a)
{
    // The replies of numbers, channel, relative mode and octave shift carry
    // a value, not a name.
    const bool named = event == eventParameterValues || event == eventCurveValue || event == eventGlobalValue;
    return { event, named ? a : 0 };
}

bool ReadBackChain::takeReply (Reply reply)
{
    const juce::ScopedLock sl (stepLock);
    // A request sent again may be answered twice: the second answer is not
    // a step of its own.
    if (! (awaited && *awaited == reply) && std::find (taken.begin(), taken.end(), reply) != taken.end())
        return false;
    taken.push_back (reply);
    awaited.reset();
    return true;
}

void ReadBackChain::request (Reply reply)
{
    {
        const juce::ScopedLock sl (stepLock);
        awaited = reply;
        resends = 0;
    }
    if (send (reply))
        ++requestsSent;
}

bool ReadBackChain::send (Reply reply)
{
    switch (reply.event)
    {
        case eventControllerNumbers: return manager.requestControllerNumbers (0);
        case eventParameterValues: return manager.requestValue (reply.a, 0, 0);
        case eventMidiChannel: return manager.requestMidiChannel();
        case eventRelativeMode: return manager.requestRelativeMode();
        case eventCurveValue: return manager.requestCurve (reply.a);
        case eventGlobalValue: return manager.requestGlobal (reply.a);
        case eventOctaveShift: return manager.requestOctaveShift();
        default: return false;
    }
}

void ReadBackChain::noteStep() { lastStepMs = manager.getClock().getMillisecondCounterHiRes(); }

void ReadBackChain::finish()
{
    readingBack = false;
    manager.holdInputsForReadBack (false);
}

void ReadBackChain::stop()
{
    if (readingBack)
        finish();
}

bool ReadBackChain::abandonIfStalled()
{
    if (! readingBack || manager.getClock().getMillisecondCounterHiRes() - lastStepMs < stepTimeoutMs)
        return false;

    // One lost message must not end the chain: the request goes again.
    std::optional<Reply> again;
    {
        const juce::ScopedLock sl (stepLock);
        if (awaited && resends < maxResends)
        {
            ++resends;
            again = awaited;
        }
    }
    if (again)
    {
        noteStep();
        send (*again);
        return false;
    }

    // A reply may just be ending the chain on the MIDI thread: only one of us ends it.
    bool wasReading = true;
    if (! readingBack.compare_exchange_strong (wasReading, false))
        return false;

    manager.holdInputsForReadBack (false);
    return true;
}
