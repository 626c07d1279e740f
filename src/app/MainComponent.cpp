#include "app/MainComponent.h"

MainComponent::MainComponent (KbdSettingComponentVorlo::Services services)
    : settingsPanel (std::make_unique<KbdSettingComponentVorlo> (services, KbdSettingComponentVorlo::Search::startLater))
{
    // The panel sets its own size, 816 x 545.
    addAndMakeVisible (*settingsPanel);
    tooltips->watch (*this);
}

MainComponent::~MainComponent() { tooltips->unwatch (*this); }

void MainComponent::paintOverChildren (juce::Graphics&)
{
    firstPaint.painted();
    // Not from inside the paint: the search may put up a message at once.
    if (! std::exchange (searchRequested, true))
        triggerAsyncUpdate();
}

void MainComponent::handleAsyncUpdate() { settingsPanel->startKeyboardSearch(); }
