#pragma once

#include "pickers/IKbdCtrlPicker.h"
#include "pickers/OxCtrlPickerWidget.h"

#include <memory>
#include <vector>

// The picture of the 25-key Vorlo with a widget over each of its controls.
// Clicking a control selects it and announces its identifier ("0x30") to the
// action listeners. The eight pad widgets stand for sixteen pads: like the
// keyboard's own pad-shift button, the Shift widget decides whether a pad
// announces its first identifier (pads 1-8) or its second (pads 9-16).
class Vorlo25CtrlPickerComponent : public juce::Component,
                                   public juce::ActionBroadcaster,
                                   public IKbdCtrlPicker,
                                   private juce::Button::Listener
{
public:
    Vorlo25CtrlPickerComponent();
    ~Vorlo25CtrlPickerComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    juce::SortedSet<juce::int16> getCtrlIds() const override;

    // The embedded keyboard picture, 800 x 378; invalid if it cannot be decoded.
    static juce::Image loadPicture();

    static constexpr int pictureWidth = 800;
    static constexpr int pictureHeight = 378;

private:
    void buttonClicked (juce::Button*) override;

    // In table order, which is also the z-order.
    std::vector<std::unique_ptr<OxCtrlPickerWidget>> widgets;
    juce::Button* shiftButton = nullptr;
    juce::Button* selectedButton = nullptr;
    const juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Vorlo25CtrlPickerComponent)
};
