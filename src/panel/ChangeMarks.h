#pragma once

#include "link/ValueCache.h"
#include "panel/PanelWidgets.h"

// Shows what differs from the kept state (the last read-back, send, load or
// save): a mark on the widget of each changed control, and beside the
// commands how many controls, globals and curves changed.
class ChangeMarks
{
public:
    ChangeMarks (PanelWidgets& widgets, const ValueCache& cache);

    // Brings the marks and the count up to date with the cache.
    void refresh();

    // "3 changes not sent"; empty for none.
    static juce::String describeCount (int changes);

private:
    PanelWidgets& widgets;
    const ValueCache& cache;
};
