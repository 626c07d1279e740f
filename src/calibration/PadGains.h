#pragma once

#include "link/OrvaneManager49.h"

#include <array>
#include <vector>

// The velocity gains of the keyboard's eight drum pads: read from the
// keyboard, edited, and written back into the keyboard's pad-gain memory.
// It remembers which pads did not answer, so that the default shown in their
// place is never taken for the keyboard's own value: such a pad is written
// only once the user has chosen its gain. It tells whether a write reached
// the keyboard. The pad calibration dialog and vorloctl both
// work through it. Message thread only: reading blocks for up to about a
// second per pad that does not answer.
class PadGains
{
public:
    static constexpr int numPads = 8;
    static constexpr int firstPadItem = 0x70;
    static constexpr int defaultGain = 64;
    static constexpr int minGain = 1;
    static constexpr int maxGain = 127;

    enum class ApplyResult
    {
        applied,
        keyboardNotDetected,
        notSent
    };

    explicit PadGains (OrvaneManager49& manager);

    // Every gain back to the default, in the editor only, as the user's
    // choice for every pad.
    void reset();

    // Asks the keyboard for each pad's gain in turn and keeps what it says,
    // even outside the editable range. A pad whose query went unanswered,
    // sent three times, gets the default and is remembered as unread, and so
    // do the pads after it: the keyboard has stopped answering.
    void readFromKeyboard();

    // Sends the gains into the pad-gain memory and stores them there: every
    // pad's but those of unread pads, whose gains on the keyboard stay as
    // they are. Stops at the first message that cannot be sent and then
    // stores nothing; a keyboard unplugged on the way counts as not sent.
    ApplyResult apply();

    // Pad index 0 to 7. Setting is the user's choice: the pad is no longer
    // unread.
    int get (int pad) const;
    void set (int pad, int gain);

    // The pads, 0 to 7, whose gain the keyboard did not give at the last
    // read and that the user has not set since: every pad before a read.
    std::vector<int> getUnreadPads() const;

    // For the user: which pads show the default instead of the keyboard's
    // gain; empty when every pad was read.
    static juce::String describeUnreadPads (const std::vector<int>& pads);
    // For the user: why an apply did nothing; empty when it was applied.
    static juce::String describeApplyProblem (ApplyResult result);

    static int itemOfPad (int pad) { return firstPadItem + pad; }

private:
    OrvaneManager49& manager;
    std::array<juce::int16, numPads> gains {};
    std::array<bool, numPads> unread {};
};
