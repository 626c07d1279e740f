#pragma once

#include "JuceIncludes.h"

#include <vector>

// The tooltips of the editor's windows, shown by one juce::TooltipWindow that
// exists only while the pointer is over one of the watched components. For
// as long as it exists, JUCE's tooltip window asks the display where the
// pointer is about eighteen times a second, a round trip to the X server
// each time, which was most of what the editor cost while nobody used it.
// The windows' contents share one instance through a SharedResourcePointer;
// each watches itself and stops watching before it goes.
class TooltipsOnDemand : private juce::MouseListener, private juce::AsyncUpdater
{
public:
    static constexpr int delayMs = 700;

    ~TooltipsOnDemand() override;

    // The component and its children show their tooltips while the pointer
    // is over them.
    void watch (juce::Component& component);
    void unwatch (juce::Component& component);

    // Drops the tooltip window until the pointer next enters a watched
    // component: for a modal box coming up over them, since JUCE tells
    // blocked components nothing of the pointer leaving them, and shows no
    // tips on them anyway.
    void dismiss();

    bool isTooltipWindowPresent() const noexcept { return tooltipWindow != nullptr; }

private:
    void mouseEnter (const juce::MouseEvent&) override;
    // Moving from one child to another is an exit and an enter: whether the
    // pointer left is decided once both have been delivered.
    void mouseExit (const juce::MouseEvent&) override { triggerAsyncUpdate(); }
    void handleAsyncUpdate() override;

    std::vector<juce::Component*> watched;
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;
};
