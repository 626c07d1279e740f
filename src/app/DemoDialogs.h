#pragma once

#include "ui/Dialogs.h"

#include <functional>

// The system's dialogs, with the user's hand on the simulated keyboard: when
// the user confirms that the keyboard has been restarted in firmware upgrade
// mode, the demo restarts it so.
class DemoDialogs : public Dialogs
{
public:
    DemoDialogs (Dialogs& inner, std::function<void()> onUpgradeModeConfirmed);

    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override;
    void showMessageAndWait (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override;
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override;
    int askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text,
                   const juce::StringArray& buttons) override;
    std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn,
                                                const juce::String& patterns) override;
    std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn,
                                                const juce::String& patterns) override;
    bool runWithProgress (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs, ProgressTask& task) override;

private:
    Dialogs& inner;
    std::function<void()> onUpgradeModeConfirmed;
};
