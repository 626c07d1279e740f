#include "panel/ChangeMarks.h"

#include "link/SendAll.h"

namespace
{
const juce::String countTooltip = "Controls and globals changed since the keyboard was read or the settings were last sent, "
                                  "loaded or saved. The picture marks the changed controls; Ctrl+Z undoes a change.";
}

ChangeMarks::ChangeMarks (PanelWidgets& widgetsToMark, const ValueCache& cacheToCompare) : widgets (widgetsToMark), cache (cacheToCompare)
{
    widgets.changesLabel->setTooltip (countTooltip);
}

juce::String ChangeMarks::describeCount (int changes)
{
    if (changes <= 0)
        return {};
    return juce::String (changes) + (changes == 1 ? " change" : " changes") + " not sent";
}

void ChangeMarks::refresh()
{
    // A control Send never writes (the pitch strip) would claim a change
    // that no send can carry: it is neither marked nor counted.
    std::set<int> changed;
    for (const int id : cache.getChangedControls())
        if (SendAll::isControlSent (id))
            changed.insert (id);
    widgets.picker->markControls (changed);

    const int changes = (int) changed.size() + cache.countChangedGlobalsAndCurves();
    widgets.changesLabel->setText (describeCount (changes), juce::dontSendNotification);
}
