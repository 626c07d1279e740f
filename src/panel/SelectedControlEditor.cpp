#include "panel/SelectedControlEditor.h"

#include "link/SendAll.h"
#include "panel/ValueBox.h"

namespace
{
const juce::String notSentTooltip =
    "The keyboard keeps the pitch strip's assignment for itself: Send does not write it, so it is shown here but cannot be changed.";

juce::String unlistedModeTooltip (int mode)
{
    return "The keyboard has this control in the mode " + ModeRules::modeName (mode).quoted() + " (" + juce::String (mode)
        + "), which none of these items stands for. Send leaves it as it is unless you choose an item.";
}
} // namespace

SelectedControlEditor::SelectedControlEditor (PanelWidgets& widgetsToFill, ValueCache& cacheToEdit)
    : widgets (widgetsToFill), cache (cacheToEdit)
{
}

bool SelectedControlEditor::select (int id)
{
    if (controlTable.count ((juce::int16) id) == 0)
        return false;

    selected = id;
    show();
    return true;
}

void SelectedControlEditor::show()
{
    const int id = selected;
    if (id < 0)
        return;

    const auto& control = controlTable.at ((juce::int16) id);
    auto& w = widgets;

    w.controlNameBox->setText (control.name);

    // What Send does not write cannot be changed.
    const bool sent = SendAll::isControlSent (id);
    const auto note = sent ? juce::String() : notSentTooltip;
    const auto showParameter = [&] (juce::ComboBox& comboBox, int itemIndex, int parameter)
    {
        comboBox.setEnabled (sent);
        ValueBox::show (comboBox, itemIndex, cache.isAssumed (parameter, id), {}, note);
    };

    // A mode that no item stands for shows its own name, and the option box
    // is the one the control and its mode call for.
    const int mode = cache.getItemParam (1, id);
    const int modeItem = ModeRules::modeToItemIndex (mode);
    const bool unlisted = modeItem < 0 && mode != ValueCache::missing;
    w.modeCombo->setEnabled (sent);
    ValueBox::show (*w.modeCombo, modeItem, cache.isAssumed (1, id), unlisted ? ModeRules::modeName (mode) : juce::String(),
                    unlisted ? unlistedModeTooltip (mode) : note);
    showOptionComboFor (ModeRules::itemModeFor (mode), control.isKnob);

    showParameter (*w.channelCombo, ModeRules::channelToItemIndex (cache.getItemParam (2, id)), 2);
    showParameter (*w.ccNumberCombo, cache.getItemParam (3, id), 3);
    showParameter (*w.minCombo, cache.getItemParam (4, id), 4);
    showParameter (*w.maxCombo, cache.getItemParam (5, id), 5);

    for (auto* comboBox : optionCombos())
        showParameter (*comboBox, cache.getItemParam (6, id), 6);

    enableModesFor (id);
}

bool SelectedControlEditor::edit (juce::ComboBox* comboBox, int index)
{
    const int parameter = parameterShownBy (comboBox);
    if (selected < 0 || parameter == 0 || showsCachedValue (comboBox, index))
        return false;
    if (parameter == 1 && ModeRules::itemIndexToMode (index) < 0)
        return false;

    writeChoice (parameter, index);
    // What the user chose is no longer the editor's guess.
    ValueBox::show (*comboBox, index, false);
    return true;
}

void SelectedControlEditor::writeChoice (int parameter, int index)
{
    const int id = selected;

    switch (parameter)
    {
        case 1:
        {
            const int mode = ModeRules::itemIndexToMode (index);
            cache.setItemParam (1, id, mode);
            showOptionComboFor (mode, controlTable.at ((juce::int16) id).isKnob);
            break;
        }
        case 2: cache.setItemParam (2, id, ModeRules::itemIndexToChannel (index)); break;
        case 6:
        {
            cache.setItemParam (6, id, index);
            // An option belongs to the mode its item shows: choosing one for
            // a mode without an item of its own (a relative knob) stores that
            // item's mode with it, so that the keyboard does what is shown.
            const int mode = cache.getItemParam (1, id);
            const int itemMode = ModeRules::itemModeFor (mode);
            if (itemMode >= 0 && itemMode != mode)
            {
                cache.setItemParam (1, id, itemMode);
                ValueBox::show (*widgets.modeCombo, ModeRules::modeToItemIndex (itemMode), false);
            }
            break;
        }
        default: cache.setItemParam (parameter, id, index); break;
    }
}

bool SelectedControlEditor::showsCachedValue (const juce::ComboBox* comboBox, int index) const
{
    const int value = cache.getItemParam (parameterShownBy (comboBox), selected);
    if (comboBox == widgets.modeCombo.get())
        return index == ModeRules::modeToItemIndex (value);
    if (comboBox == widgets.channelCombo.get())
        return index == ModeRules::channelToItemIndex (value);
    return index == value;
}

int SelectedControlEditor::parameterShownBy (const juce::ComboBox* comboBox) const
{
    const auto& w = widgets;
    if (comboBox == w.modeCombo.get())
        return 1;
    if (comboBox == w.channelCombo.get())
        return 2;
    if (comboBox == w.ccNumberCombo.get())
        return 3;
    if (comboBox == w.minCombo.get())
        return 4;
    if (comboBox == w.maxCombo.get())
        return 5;
    if (isOptionCombo (comboBox)) // visible or not
        return 6;
    return 0;
}

void SelectedControlEditor::enableModesFor (int id)
{
    const int mask = ModeRules::modeMaskFor (id) | 1;

    // Values that share an item are allowed or refused together.
    for (int mode = 0; mode < ModeRules::numModes; ++mode)
    {
        const int item = ModeRules::modeToItemIndex (mode);
        if (item >= 0)
            widgets.modeCombo->setItemEnabled (item + 1, (mask & (1 << mode)) != 0);
    }
}

juce::ComboBox* SelectedControlEditor::optionComboFor (ModeRules::OptionBox box) const
{
    switch (box)
    {
        case ModeRules::OptionBox::toggle: return widgets.toggleOptionCombo.get();
        case ModeRules::OptionBox::encoding: return widgets.encodingOptionCombo.get();
        case ModeRules::OptionBox::nrpn: return widgets.nrpnOptionCombo.get();
        case ModeRules::OptionBox::hold: return widgets.holdOptionCombo.get();
        case ModeRules::OptionBox::none: break;
    }
    return nullptr;
}

std::array<juce::ComboBox*, 4> SelectedControlEditor::optionCombos() const
{
    return { widgets.toggleOptionCombo.get(), widgets.holdOptionCombo.get(), widgets.encodingOptionCombo.get(),
             widgets.nrpnOptionCombo.get() };
}

bool SelectedControlEditor::isOptionCombo (const juce::ComboBox* comboBox) const
{
    const auto combos = optionCombos();
    return std::find (combos.begin(), combos.end(), comboBox) != combos.end();
}

void SelectedControlEditor::showOptionComboFor (int mode, bool isKnob)
{
    // A mode without options, or none known, shows no option box.
    auto* shown = optionComboFor (ModeRules::optionBoxFor (mode, isKnob));
    for (auto* comboBox : optionCombos())
        comboBox->setVisible (comboBox == shown);
}
