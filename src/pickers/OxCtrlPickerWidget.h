#pragma once

#include "JuceIncludes.h"

#include <array>

// The clickable widget a picker lays over one control of a keyboard picture.
// It draws nothing while idle and not selected, so the picture shows through;
// it only marks hover, press and selection. What a click means is up to the
// owning picker, which alone sets the toggle state (selected, or for a Shift
// widget, shifted).
class OxCtrlPickerWidget : public juce::Button, private juce::Timer
{
public:
    ~OxCtrlPickerWidget() override;

    // A small dot in the top-right corner: the control's values differ from
    // what was last kept.
    void setMarked (bool marked);
    bool isMarked() const noexcept { return marked; }

    // A brief light over the widget, fading by itself: the control was
    // touched on the keyboard. Flashing again while lit lights it anew.
    void flash();
    bool isFlashing() const noexcept { return flashLevel > 0.0f; }

    static constexpr int flashMs = 400;

    // The corner marks follow the size, so they are rebuilt here, not while painting.
    void resized() override;

    // A corner mark: a dark line along the corner and the light area between
    // that line and its chord. JUCE fills no open sub-path, so the area is the
    // line closed.
    struct CornerMark
    {
        juce::Path line, area;
    };

    // Top-left, bottom-left, top-right, bottom-right.
    const std::array<CornerMark, 4>& getCornerMarks() const noexcept { return cornerMarks; }

protected:
    // A rectangle for buttons, pads and strips; an ellipse for knobs, whose
    // corner marks curve and whose selection is tinted inside the ellipse only.
    enum class Shape
    {
        rectangle,
        ellipse
    };

    explicit OxCtrlPickerWidget (Shape);

    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    void fillSelectionArea (juce::Graphics&) const;
    void drawCornerMarks (juce::Graphics&) const;
    void drawChangeMark (juce::Graphics&) const;
    void timerCallback() override;

    const Shape shape;
    std::array<CornerMark, 4> cornerMarks;
    bool marked = false;
    float flashLevel = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OxCtrlPickerWidget)
};
