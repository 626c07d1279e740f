#pragma once

#include "pickers/Vorlo25CtrlPickerComponent.h"
#include "ui/NoticeBubble.h"
#include "ui/ReadOnlyTextBox.h"

// The settings panel's children, built at their fixed places for the
// window's one size, in creation order (which is also their stacking order).
struct PanelWidgets
{
    // Builds every child of panel, made visible at its place, with the boxes
    // reporting to boxListener and the buttons to buttonListener.
    static PanelWidgets create (juce::Component& panel, juce::ComboBox::Listener& boxListener, juce::Button::Listener& buttonListener);

    // Puts every child back at its place.
    void layOut() const;

    // Whether one of the boxes has its list of items open: a choice is
    // being made for the control on show.
    bool isChoiceOpen() const;

    std::unique_ptr<juce::GroupComponent> globalGroup;
    std::unique_ptr<juce::Label> knobModeLabel;
    std::unique_ptr<juce::ComboBox> knobModeCombo;
    std::unique_ptr<juce::GroupComponent> selectedGroup;
    std::unique_ptr<ReadOnlyTextBox> controlNameBox;
    std::unique_ptr<juce::Label> ccNumberLabel;
    std::unique_ptr<juce::ComboBox> ccNumberCombo;
    std::unique_ptr<juce::TextButton> defaultValuesButton;
    std::unique_ptr<juce::TextButton> sendButton;
    std::unique_ptr<Vorlo25CtrlPickerComponent> picker;
    std::unique_ptr<juce::Label> modeLabel;
    std::unique_ptr<juce::ComboBox> modeCombo;
    std::unique_ptr<juce::Label> channelLabel;
    std::unique_ptr<juce::ComboBox> channelCombo;
    std::unique_ptr<juce::Label> maxLabel;
    std::unique_ptr<juce::ComboBox> maxCombo;
    std::unique_ptr<juce::Label> minLabel;
    std::unique_ptr<juce::ComboBox> minCombo;
    std::unique_ptr<juce::Label> globalChannelLabel;
    std::unique_ptr<juce::ComboBox> globalChannelCombo;
    std::unique_ptr<juce::TextButton> loadButton;
    std::unique_ptr<juce::TextButton> saveButton;
    std::unique_ptr<juce::TextButton> chartButton;
    std::unique_ptr<juce::ComboBox> toggleOptionCombo;
    std::unique_ptr<juce::ComboBox> encodingOptionCombo;
    std::unique_ptr<juce::ComboBox> nrpnOptionCombo;
    std::unique_ptr<juce::ComboBox> holdOptionCombo;
    std::unique_ptr<juce::Label> memoryLabel;
    std::unique_ptr<juce::ComboBox> memoryCombo;
    std::unique_ptr<juce::TextButton> firmwareButton;
    std::unique_ptr<juce::Label> knobAccelLabel;
    std::unique_ptr<juce::ComboBox> knobAccelCombo;
    std::unique_ptr<juce::Label> velCurveLabel;
    std::unique_ptr<juce::ComboBox> velCurveCombo;
    std::unique_ptr<juce::Label> firmwareLabel;
    std::unique_ptr<ReadOnlyTextBox> firmwareRevisionBox;
    std::unique_ptr<juce::Label> padCurveLabel;
    std::unique_ptr<juce::ComboBox> padCurveCombo;
    std::unique_ptr<juce::TextButton> padsButton;
    // How many changes are neither sent nor saved; empty when none.
    std::unique_ptr<juce::Label> changesLabel;
    // Not laid out: it places itself next to what it points at.
    std::unique_ptr<NoticeBubble> notice;

    // Every laid-out child with its place.
    std::vector<std::pair<juce::Component*, juce::Rectangle<int>>> places;
};
