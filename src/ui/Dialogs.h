#pragma once

#include "JuceIncludes.h"

#include <optional>

// Every question the editor asks the user and every message it shows goes
// through here, so that tests can answer instead of a person and nothing
// blocks on a modal box.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box with one button; returns when it is dismissed.
    virtual void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) = 0;

    // An OK / Cancel question; true for OK.
    virtual bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) = 0;

    // A question answered by one of the buttons, given from left to right:
    // the index of the button chosen. The first is the default, and what a
    // stand-in that asks no one answers.
    virtual int askChoice (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::StringArray&) { return 0; }

    // A file to read, or nothing when the user cancels.
    virtual std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // A file to write, after a warning when it exists; nothing when the user cancels.
    virtual std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // JUCE's modal alert windows and the platform's native file dialogs.
    static Dialogs& system();
};
