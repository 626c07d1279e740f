#include "app/MainComponent.h"

MainComponent::MainComponent (KbdSettingComponentVorlo::Services services)
    : settingsPanel (std::make_unique<KbdSettingComponentVorlo> (services))
{
    // The panel sets its own size, 816 x 545.
    addAndMakeVisible (*settingsPanel);
}

MainComponent::~MainComponent()
{
    // The panel and with it the keyboard manager go before the tooltip window.
    settingsPanel.reset();
}
