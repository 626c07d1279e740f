#include "app/MainComponent.h"

MainComponent::MainComponent (KbdSettingComponentVorlo::Services services)
    : settingsPanel (std::make_unique<KbdSettingComponentVorlo> (services))
{
    // The panel sets its own size, 816 x 545.
    addAndMakeVisible (*settingsPanel);
    tooltips->watch (*this);
}

MainComponent::~MainComponent() { tooltips->unwatch (*this); }
