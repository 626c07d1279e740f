#pragma once

#include "calibration/PadGains.h"
#include "ui/Dialogs.h"
#include "ui/TooltipsOnDemand.h"

// The pad calibration page: a vertical slider per pad showing its velocity
// gain as a fraction of 64, and OK, Apply and Default. It reads the gains
// from the keyboard as it is built; nothing is sent until Apply or OK. Pads
// whose gain could not be read are named in a notice, so that nobody writes
// the default over the keyboard's gain unawares.
class PadCalibComponent : public juce::Component, public juce::Slider::Listener, public juce::Button::Listener
{
public:
    PadCalibComponent (OrvaneManager49* manager, Dialogs& dialogs = Dialogs::system());
    ~PadCalibComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void sliderValueChanged (juce::Slider* slider) override;
    void buttonClicked (juce::Button* button) override;

    // Every gain back to 64, in the editor only.
    void resetGains();
    // Reads the eight gains from the keyboard; blocks until each has
    // answered or timed out.
    void readGainsFromKeyboard();
    // Gives each slider its gain; the sliders report back asynchronously.
    void updateSliders();
    // Writes the gains to the keyboard and stores them, or tells the user
    // why it could not. Whether they were stored.
    bool applyGains();

    static constexpr int width = 600;
    static constexpr int height = 300;

    juce::Slider& getSlider (int pad) const { return *sliders[(size_t) pad]; }
    juce::Label& getPadLabel (int pad) const { return *padLabels[(size_t) pad]; }
    juce::TextButton& getOkButton() const { return *okButton; }
    juce::TextButton& getApplyButton() const { return *applyButton; }
    juce::TextButton& getDefaultButton() const { return *defaultButton; }
    // Names the pads that show the default instead of the keyboard's gain;
    // hidden when every pad was read.
    juce::Label& getUnreadNotice() const { return *unreadNotice; }
    int getGain (int pad) const { return gains.get (pad); }

private:
    std::unique_ptr<juce::TextButton> makeButton (const juce::String& name, const juce::String& text);
    void showUnreadNotice();

    Dialogs& dialogs;
    PadGains gains;

    std::array<std::unique_ptr<juce::Label>, PadGains::numPads> padLabels;
    std::array<std::unique_ptr<juce::Slider>, PadGains::numPads> sliders;
    std::unique_ptr<juce::TextButton> okButton, applyButton, defaultButton;
    std::unique_ptr<juce::Label> unreadNotice;
    juce::SharedResourcePointer<TooltipsOnDemand> tooltips;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PadCalibComponent)
};
