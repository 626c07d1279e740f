#pragma once

#include "link/KeyboardOutput.h"
#include "link/ValueCache.h"

// What a send of the whole set did.
struct SendAllReport
{
    bool refusedModel = false; // a keyboard other than the Vorlo: nothing was sent
    bool stored = false;       // the store command left for the keyboard
    int valuesSent = 0;
    int valuesFailed = 0;               // values that could not be sent
    std::vector<int> controlsLeftAlone; // controls with values never read, loaded or set: those were not sent
    juce::StringArray valuesOutOfRange; // globals and curves that fit no data byte: not sent

    bool isComplete() const { return stored && valuesFailed == 0 && valuesOutOfRange.isEmpty(); }

    // What went wrong in a send into the memory, for the user; empty
    // when everything was sent and stored. Not for a refused model.
    juce::String describeProblem (int memory) const;
};

// Sends the editor's whole set into one of the keyboard's memories: what it
// writes, in which order, and what it leaves to the keyboard.
struct SendAll
{
    // Sends every cached control (but the pitch strip), the global channel
    // and three curves, then stores them into the memory. Values the editor
    // only assumed are left out, so that the keyboard keeps its own. A
    // complete send marks the cache kept.
    static SendAllReport toMemory (ValueCache& cache, KeyboardOutput& output, int memory);

    // Whether a send writes this control's assignment: every control but the
    // pitch strip, which the keyboard keeps for itself.
    static bool isControlSent (int id);
};
