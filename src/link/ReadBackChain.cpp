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
    if (! readingBack || ! isReply (event))
        return Outcome::nothing;

    noteStep();

    switch (event)
    {
        case eventControllerNumbers: request (manager.requestValue (1, 0, 0)); return Outcome::nothing;
        case eventParameterValues: return continueWithParameters (a);
        case eventMidiChannel: request (manager.requestRelativeMode()); return Outcome::nothing;
        case eventRelativeMode: request (manager.requestCurve (4)); return Outcome::nothing;
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
        case 1: request (manager.requestValue (2, 0, 0)); break;
        case 2: request (manager.requestValue (4, 0, 0)); break;
        case 4: request (manager.requestValue (5, 0, 0)); break;
        case 5: request (manager.requestValue (6, 0, 0)); break;
        case 6: request (manager.requestMidiChannel()); break;
        default: finish(); break;
    }
    return Outcome::nothing;
}

ReadBackChain::Outcome ReadBackChain::continueWithCurves (int curve)
{
    switch (curve)
    {
        case 4: request (manager.requestCurve (3)); return Outcome::nothing;
        case 3: request (manager.requestCurve (1)); return Outcome::nothing;
        case 1: request (manager.requestOctaveShift()); return Outcome::refreshGlobals;
        default: return Outcome::nothing;
    }
}

ReadBackChain::Outcome ReadBackChain::continueWithGlobals (int index)
{
    // Continues a chain that a reply for global 5 started.
    switch (index)
    {
        case 5: request (manager.requestGlobal (1)); return Outcome::nothing;
        case 1: request (manager.requestGlobal (7)); return Outcome::nothing;
        case 7: request (manager.requestGlobal (8)); return Outcome::nothing;
        case 8: request (manager.requestOctaveShift()); return Outcome::refreshGlobals;
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
    readingBack = true;
    completed = false;
    requestsSent = 0;
    noteStep();
    request (manager.requestControllerNumbers (0));
}

void ReadBackChain::request (bool sent)
{
    if (sent)
        ++requestsSent;
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

    // A reply may just be ending the chain on the MIDI thread: only one of us ends it.
    bool wasReading = true;
    if (! readingBack.compare_exchange_strong (wasReading, false))
        return false;

    manager.holdInputsForReadBack (false);
    return true;
}
