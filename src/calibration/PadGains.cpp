#include "calibration/PadGains.h"

#include "protocol/OrvaneMidiMessage49.h"

namespace
{
// "1", "1 and 2", "1, 2 and 3": pad numbers as people count them.
juce::String listPadNumbers (const std::vector<int>& pads)
{
    juce::StringArray numbers;
    for (const int pad : pads)
        numbers.add (juce::String (pad + 1));

    if (numbers.size() < 2)
        return numbers.joinIntoString ("");

    const auto last = numbers[numbers.size() - 1];
    numbers.remove (numbers.size() - 1);
    return numbers.joinIntoString (", ") + " and " + last;
}
} // namespace

PadGains::PadGains (OrvaneManager49& managerToUse) : manager (managerToUse)
{
    gains.fill ((juce::int16) defaultGain);
    unread.fill (true);
}

void PadGains::reset()
{
    gains.fill ((juce::int16) defaultGain);
    unread.fill (false);
}

void PadGains::readFromKeyboard()
{
    // Each query is sent up to three times: a keyboard that answered none of
    // them has stopped answering, and is not kept waited on for every pad.
    bool answering = true;
    for (int pad = 0; pad < numPads; ++pad)
    {
        // Any memory will do for the reply: the gains live in one place.
        const int gain = answering ? manager.queryValue (OrvaneMidiMessage49::parameterPadGain, itemOfPad (pad), -1) : -1;
        answering = gain >= 0;
        unread[(size_t) pad] = gain < 0;
        gains[(size_t) pad] = (juce::int16) (gain < 0 ? defaultGain : gain);
    }
}

PadGains::ApplyResult PadGains::apply()
{
    if (! manager.isKeyboardDetected())
        return ApplyResult::keyboardNotDetected;

    if (! manager.isKeyboardOutputPresent())
        return ApplyResult::notSent;

    // The default shown for an unread pad is not the keyboard's gain: writing
    // it would replace a calibration the user never saw.
    for (int pad = 0; pad < numPads; ++pad)
        if (! unread[(size_t) pad]
            && ! manager.sendValue (OrvaneMidiMessage49::parameterPadGain, itemOfPad (pad), gains[(size_t) pad],
                                    OrvaneMidiMessage49::padGainMemory))
            return ApplyResult::notSent;

    if (! manager.storeToMemory (OrvaneMidiMessage49::padGainMemory) || ! manager.isKeyboardOutputPresent())
        return ApplyResult::notSent;

    return ApplyResult::applied;
}

int PadGains::get (int pad) const { return gains[(size_t) pad]; }

void PadGains::set (int pad, int gain)
{
    gains[(size_t) pad] = (juce::int16) gain;
    unread[(size_t) pad] = false;
}

std::vector<int> PadGains::getUnreadPads() const
{
    std::vector<int> pads;
    for (int pad = 0; pad < numPads; ++pad)
        if (unread[(size_t) pad])
            pads.push_back (pad);
    return pads;
}

juce::String PadGains::describeUnreadPads (const std::vector<int>& pads)
{
    const auto shown = juce::String (defaultGain) + "/" + juce::String (defaultGain);

    if (pads.empty())
        return {};
    if ((int) pads.size() == numPads)
        return "The keyboard gave none of the pad gains: every pad shows the default, " + shown + ".";
    if (pads.size() == 1)
        return "The gain of pad " + listPadNumbers (pads) + " could not be read from the keyboard: it shows the default, " + shown + ".";
    return "The gains of pads " + listPadNumbers (pads) + " could not be read from the keyboard: they show the default, " + shown + ".";
}

juce::String PadGains::describeApplyProblem (ApplyResult result)
{
    switch (result)
    {
        case ApplyResult::keyboardNotDetected: return "The keyboard has not been detected, so pad calibration can't be set.";
        case ApplyResult::notSent:
            return "The pad gains could not be sent to the keyboard, so they were not stored. "
                   "Check that the keyboard is plugged in, then try again.";
        case ApplyResult::applied: break;
    }
    return {};
}
