#include "panel/ChangeMarks.h"

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
    std::set<int> changed;
    for (const auto id : widgets.picker->getCtrlIds())
        if (cache.isControlChanged (id))
            changed.insert (id);
    widgets.picker->markControls (changed);

    widgets.changesLabel->setText (describeCount (cache.countChanges()), juce::dontSendNotification);
}
