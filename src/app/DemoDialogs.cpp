#include "app/DemoDialogs.h"

#include "firmware/UpdaterRunner.h"

DemoDialogs::DemoDialogs (Dialogs& innerDialogs, std::function<void()> onConfirmed)
    : inner (innerDialogs), onUpgradeModeConfirmed (std::move (onConfirmed))
{
}

void DemoDialogs::showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text)
{
    inner.showMessage (icon, title, text);
}

void DemoDialogs::showMessageAndWait (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text)
{
    inner.showMessageAndWait (icon, title, text);
}

bool DemoDialogs::askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text)
{
    const bool ok = inner.askOkCancel (icon, title, text);
    if (ok && title == UpdaterRunner::upgradeModeTitle && onUpgradeModeConfirmed)
        onUpgradeModeConfirmed();
    return ok;
}

int DemoDialogs::askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text,
                            const juce::StringArray& buttons)
{
    return inner.askChoice (icon, title, text, buttons);
}

std::optional<juce::File> DemoDialogs::chooseFileToOpen (const juce::String& title, const juce::File& startIn, const juce::String& patterns)
{
    return inner.chooseFileToOpen (title, startIn, patterns);
}

std::optional<juce::File> DemoDialogs::chooseFileToSave (const juce::String& title, const juce::File& startIn, const juce::String& patterns)
{
    return inner.chooseFileToSave (title, startIn, patterns);
}

bool DemoDialogs::runWithProgress (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs, ProgressTask& task)
{
    return inner.runWithProgress (title, cancelButtonText, stopTimeoutMs, task);
}
