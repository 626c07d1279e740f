#pragma once

#include "pickers/IKbdCtrlPicker.h"
#include "pickers/OxCtrlPickerWidget.h"

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

// A picture of one keyboard model with a widget over each of its controls.
// Clicking a control selects it and announces its identifier ("0x30") to the
// action listeners. A widget may stand for two controls ("0x70-0x78"): a
// Shift widget, like the keyboard's own shift button, decides whether its
// first or its second identifier is announced. The models differ only in the
// data they are built from, and the Orvane ones in a few painting details.
class OxCtrlPickerComponent : public juce::Component, public juce::ActionBroadcaster, public IKbdCtrlPicker, private juce::Button::Listener
{
public:
    enum class WidgetKind
    {
        button,
        knob,
        shift // a button outside the radio group, choosing which identifier of a pair is used
    };

    struct WidgetEntry
    {
        const char* tooltip;
        const char* identifierText; // one identifier, or a pair "first-second"
        WidgetKind kind;
        int x, y, width, height;
    };

    struct IdentifierRange
    {
        int first, last;
    };

    // Everything a model's picker is made of. The tables are static data of
    // the model's own file.
    struct Model
    {
        template <size_t widgetCount, size_t rangeCount>
        constexpr Model (const WidgetEntry (&widgetTable)[widgetCount], const IdentifierRange (&ctrlIdRanges)[rangeCount],
                         const std::uint32_t* picturePixels, int pictureWidth, int pictureHeight, bool drawnOverWhite,
                         float shiftLightCentreX = 0.0f, float shiftLightCentreY = 0.0f, float shiftLightRadiusToUse = 0.0f)
            : widgets (widgetTable), numWidgets (widgetCount), ctrlIds (ctrlIdRanges), numCtrlIdRanges (rangeCount), pixels (picturePixels),
              width (pictureWidth), height (pictureHeight), whiteUnderPicture (drawnOverWhite),
              shiftLightX (shiftLightCentreX), shiftLightY (shiftLightCentreY), shiftLightRadius (shiftLightRadiusToUse)
        {
        }

        // In creation order, which is also the z-order.
        const WidgetEntry* widgets;
        size_t numWidgets;

        // What getCtrlIds returns: the model's controls that keep an
        // assignment, which need not be the controls that have a widget.
        const IdentifierRange* ctrlIds;
        size_t numCtrlIdRanges;

        const std::uint32_t* pixels; // baked at build time, premultiplied 0xAARRGGBB
        int width, height;           // of the picture, and so of the picker

        // The Orvane pictures are drawn over white, which shows wherever a
        // picture is transparent or missing.
        bool whiteUnderPicture;

        // The light in the picture that shows the Shift state, lit while
        // Shift is on; none when the radius is 0.
        float shiftLightX, shiftLightY, shiftLightRadius;
    };

    ~OxCtrlPickerComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    bool isShifted() const { return shiftButton != nullptr && shiftButton->getToggleState(); }

    juce::SortedSet<juce::int16> getCtrlIds() const override;

    // Shows a control selected, as a click on its widget would, with Shift
    // set as the control needs, but announces nothing. False for a control
    // without a widget.
    bool selectControl (int id);
    // Lights the control's widget briefly.
    void flashControl (int id);
    // Marks the widgets of these controls, and only those.
    void markControls (const std::set<int>& ids);
    // The widget of a control, and whether Shift must be on to reach it.
    OxCtrlPickerWidget* findWidget (int id, bool* needsShift = nullptr) const;

    // The model's picture, drawn from the program's own data.
    static juce::Image loadPicture (const Model&);

protected:
    explicit OxCtrlPickerComponent (const Model&);

private:
    void buttonClicked (juce::Button*) override;
    void paintShiftLight (juce::Graphics&) const;

    const Model& model;
    std::vector<std::unique_ptr<OxCtrlPickerWidget>> widgets;
    juce::Button* shiftButton = nullptr; // null for a model without one
    juce::Button* selectedButton = nullptr;
    const juce::Image picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OxCtrlPickerComponent)
};
