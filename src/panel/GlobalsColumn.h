#pragma once

#include "link/ValueCache.h"
#include "panel/PanelWidgets.h"

// The global parameters' column: the global channel, the knob mode and the
// three curves, shown from the cache and edited into it.
class GlobalsColumn
{
public:
    GlobalsColumn (PanelWidgets& widgets, ValueCache& cache);

    // Puts the cached globals and curves into their boxes.
    void show();

    // Writes the user's choice in one of the column's boxes into the cache
    // and shows it as chosen. False, writing nothing, for another box or when
    // the box only shows what the cache holds.
    bool edit (juce::ComboBox* comboBox, int index);

private:
    // The item a box of the column shows for what the cache holds.
    std::optional<int> cachedItemShownBy (const juce::ComboBox* comboBox) const;

    PanelWidgets& widgets;
    ValueCache& cache;
};
