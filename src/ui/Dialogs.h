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

    // A file to read, or nothing when the user cancels.
    virtual std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // A name for a file to write, or nothing when the user cancels. It asks
    // nothing about an existing file: the caller may still change the name,
    // so it asks about the file it will actually write.
    virtual std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // A file to write with the given extension ("vorlo25"), which replaces
    // the one the user typed. When that file exists, the user is asked before
    // it is replaced; nothing when the user cancels either question.
    std::optional<juce::File> chooseFileToWrite (const juce::String& title, const juce::File& startIn, const juce::String& patterns,
                                                 const juce::String& extension);

    // JUCE's modal alert windows and the platform's native file dialogs.
    static Dialogs& system();
};
