#pragma once

#include "app/FirstPaintMarker.h"
#include "panel/KbdSettingComponentVorlo.h"
#include "ui/TooltipsOnDemand.h"

// Fills the main window: the settings panel, whose widgets' tooltips show
// while the pointer is over it. The search for the keyboard starts just after
// the first frame is painted, so that the window shows at once.
class MainComponent : public juce::Component, public juce::ActionListener, private juce::AsyncUpdater
{
public:
    explicit MainComponent (KbdSettingComponentVorlo::Services services = KbdSettingComponentVorlo::systemServices());
    ~MainComponent() override;

    void paint (juce::Graphics&) override {}
    void paintOverChildren (juce::Graphics&) override;
    void resized() override {}
    void actionListenerCallback (const juce::String&) override {}

    KbdSettingComponentVorlo& getSettingsPanel() noexcept { return *settingsPanel; }

private:
    void handleAsyncUpdate() override;

    juce::SharedResourcePointer<TooltipsOnDemand> tooltips;
    std::unique_ptr<KbdSettingComponentVorlo> settingsPanel;
    FirstPaintMarker firstPaint;
    bool searchRequested = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
