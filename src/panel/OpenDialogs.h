#pragma once

#include "JuceIncludes.h"

#include <functional>

// Counts the editor's dialogs open, so that an alert that falls due meanwhile
// waits for them to close instead of coming up over one of them, where a
// click meant for the dialog would hit the alert.
class OpenDialogs
{
public:
    // One dialog open for the scope's life.
    class Scope
    {
    public:
        explicit Scope (OpenDialogs& dialogsToCount) : dialogs (dialogsToCount) { ++dialogs.count; }
        ~Scope()
        {
            if (--dialogs.count == 0 && std::exchange (dialogs.alertDeferred, false) && dialogs.onAlertDue)
                dialogs.onAlertDue();
        }

    private:
        OpenDialogs& dialogs;
        JUCE_DECLARE_NON_COPYABLE (Scope)
    };

    bool anyOpen() const noexcept { return count > 0; }

    // The alert is due once the last dialog closes: onAlertDue is called then.
    void deferAlert() noexcept { alertDeferred = true; }
    std::function<void()> onAlertDue;

private:
    int count = 0;
    bool alertDeferred = false;
};
