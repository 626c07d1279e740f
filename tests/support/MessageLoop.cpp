#include "support/MessageLoop.h"

bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    auto* messageManager = juce::MessageManager::getInstance();

    while (! condition())
    {
        if ((juce::int32) (juce::Time::getMillisecondCounter() - deadline) >= 0)
            return condition();

        messageManager->runDispatchLoopUntil (2);
    }

    return true;
}

void runMessageLoopFor (int milliseconds) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }

void flushMessageLoop()
{
    // The queue is first in, first out: once this message runs, so have the
    // ones posted before it.
    auto done = std::make_shared<std::atomic<bool>> (false);
    juce::MessageManager::callAsync ([done] { *done = true; });
    runMessageLoopUntil ([done] { return done->load(); });
}
