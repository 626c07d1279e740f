#include "ui/TooltipsOnDemand.h"

TooltipsOnDemand::~TooltipsOnDemand()
{
    for (auto* component : watched)
        component->removeMouseListener (this);
}

void TooltipsOnDemand::watch (juce::Component& component)
{
    watched.push_back (&component);
    component.addMouseListener (this, true);
}

void TooltipsOnDemand::unwatch (juce::Component& component)
{
    component.removeMouseListener (this);
    watched.erase (std::remove (watched.begin(), watched.end(), &component), watched.end());
    triggerAsyncUpdate();
}

void TooltipsOnDemand::mouseEnter (const juce::MouseEvent&)
{
    cancelPendingUpdate();
    if (tooltipWindow == nullptr)
        tooltipWindow = std::make_unique<juce::TooltipWindow> (nullptr, delayMs);
}

void TooltipsOnDemand::dismiss()
{
    cancelPendingUpdate();
    tooltipWindow.reset();
}

void TooltipsOnDemand::handleAsyncUpdate()
{
    const bool pointerOverOne =
        std::any_of (watched.begin(), watched.end(), [] (const juce::Component* component) { return component->isMouseOver (true); });
    if (! pointerOverOne)
        tooltipWindow.reset();
}
