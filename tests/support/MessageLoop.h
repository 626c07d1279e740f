#pragma once

#include "JuceIncludes.h"

#include <functional>

// Runs the JUCE message loop until the condition holds or the time-out passes;
// returns whether the condition held. Asynchronous clicks, action messages
// and AsyncUpdaters are delivered while it runs.
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMs = 2000);

// Runs the message loop for a while, for things that should not happen.
void runMessageLoopFor (int milliseconds);

// Delivers every message already posted (asynchronous notifications, action
// messages, async updates) and returns once they have run.
void flushMessageLoop();
