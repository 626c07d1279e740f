#pragma once

#include "link/ValueCache.h"
#include "panel/ControlTable.h"
#include "panel/ModeRules.h"
#include "panel/PanelWidgets.h"

// The selected control's editor: puts the control's cached assignment into
// the middle boxes, with the mode rules deciding which modes and which option
// box it offers, and writes the user's choices into the cache.
class SelectedControlEditor
{
public:
    SelectedControlEditor (PanelWidgets& widgets, ValueCache& cache);

    // Selects a control picked on the picture and shows it. False, changing
    // nothing, for an identifier that is none of the keyboard's controls.
    bool select (int id);
    // The selected control's identifier, or -1 before the first pick.
    int getSelected() const noexcept { return selected; }

    // Puts the selected control's cached assignment into its boxes.
    void show();

    // Writes the user's choice in one of the control's boxes into the cache
    // and shows it as chosen. False, writing nothing, for another box, before
    // the first pick, or when the box only shows what the cache holds: a
    // notification that comes late, after the selection moved on, must not
    // write a value the user never chose.
    bool edit (juce::ComboBox* comboBox, int index);

    // Enables the mode items the control allows.
    void enableModesFor (int id);
    // Shows the one option box that fits the mode and hides the others.
    void showOptionComboFor (int mode, bool isKnob);

private:
    // The parameter (1 to 6) a box edits, or 0.
    int parameterShownBy (const juce::ComboBox* comboBox) const;
    bool showsCachedValue (const juce::ComboBox* comboBox, int index) const;
    void writeChoice (int parameter, int index);

    juce::ComboBox* optionComboFor (ModeRules::OptionBox box) const;
    // Toggle, hold, encoding, NRPN: the order in which a pick selects them.
    std::array<juce::ComboBox*, 4> optionCombos() const;
    bool isOptionCombo (const juce::ComboBox* comboBox) const;

    PanelWidgets& widgets;
    ValueCache& cache;
    const ControlTable controlTable = buildControlTable();
    int selected = -1;
};
