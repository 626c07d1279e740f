#include "panel/GlobalsColumn.h"

#include "panel/SettingNames.h"
#include "panel/ValueBox.h"

namespace
{
using SettingNames::globalChannel, SettingNames::knobAccelCurve, SettingNames::velocityCurve, SettingNames::padCurve;
constexpr int relativeMode = OrvaneMidiMessage49::globalRelativeMode;

// The knob mode's global: 127 for relative knobs, 1 for individual ones.
constexpr int relativeOn = 127, relativeOff = 1;
} // namespace

GlobalsColumn::GlobalsColumn (PanelWidgets& widgetsToFill, ValueCache& cacheToEdit) : widgets (widgetsToFill), cache (cacheToEdit) {}

void GlobalsColumn::show()
{
    auto& w = widgets;

    const auto showGlobal = [&] (juce::ComboBox& comboBox, int index)
    { ValueBox::show (comboBox, cache.getGlobal (index), cache.getGlobalSource (index) == ValueSource::assumed); };
    const auto showCurve = [&] (juce::ComboBox& comboBox, int index)
    { ValueBox::show (comboBox, cache.getCurve (index), cache.getCurveSource (index) == ValueSource::assumed); };

    showGlobal (*w.globalChannelCombo, globalChannel);
    showCurve (*w.knobAccelCombo, knobAccelCurve);
    showCurve (*w.velCurveCombo, velocityCurve);
    showCurve (*w.padCurveCombo, padCurve);
}

std::optional<int> GlobalsColumn::cachedItemShownBy (const juce::ComboBox* comboBox) const
{
    const auto& w = widgets;

    if (comboBox == w.globalChannelCombo.get())
        return cache.getGlobal (globalChannel);
    if (comboBox == w.knobModeCombo.get())
        return cache.getGlobal (relativeMode) == relativeOn ? 1 : 0;
    if (comboBox == w.knobAccelCombo.get())
        return cache.getCurve (knobAccelCurve);
    if (comboBox == w.velCurveCombo.get())
        return cache.getCurve (velocityCurve);
    if (comboBox == w.padCurveCombo.get())
        return cache.getCurve (padCurve);
    return std::nullopt;
}

bool GlobalsColumn::edit (juce::ComboBox* comboBox, int index)
{
    const auto shown = cachedItemShownBy (comboBox);
    if (! shown.has_value() || *shown == index)
        return false;

    const auto& w = widgets;
    if (comboBox == w.globalChannelCombo.get())
        cache.setGlobal (globalChannel, index);
    else if (comboBox == w.knobModeCombo.get())
        cache.setGlobal (relativeMode, index == 1 ? relativeOn : relativeOff);
    else if (comboBox == w.knobAccelCombo.get())
        cache.setCurve (knobAccelCurve, index);
    else if (comboBox == w.velCurveCombo.get())
        cache.setCurve (velocityCurve, index);
    else
        cache.setCurve (padCurve, index);

    // What the user chose is no longer the editor's guess.
    ValueBox::show (*comboBox, index, false);
    return true;
}
