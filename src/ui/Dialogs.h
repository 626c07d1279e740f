#pragma once

#include "JuceIncludes.h"

#include <optional>

// Work for a worker thread behind a progress window.
class ProgressTask
{
public:
    virtual ~ProgressTask() = default;

    // Runs on the worker thread; gives up soon once
    // juce::Thread::currentThreadShouldExit() is true.
    virtual void run() = 0;

    // How far run() has got, from 0.0 to 1.0; read while it runs.
    virtual double getProgress() const = 0;
};

// Every question the editor asks the user and every message it shows goes
// through here, so that tests can answer instead of a person and nothing
// blocks on a modal box.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box with one button. It returns at once: the box stays up,
    // modal to the user, until it is dismissed, while the editor goes on
    // following the keyboard underneath without a nested message loop.
    virtual void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) = 0;

    // The same box, returning only once it is dismissed: for where what
    // follows the message must wait until the user has read it.
    virtual void showMessageAndWait (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text)
    {
        showMessage (icon, title, text);
    }

    // An OK / Cancel question; true for OK.
    virtual bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) = 0;

    // A question answered by one of the buttons, given from left to right:
    // the index of the button chosen. The first is the default, and what
    // closing the box answers, so it must be the answer that loses nothing.
    virtual int askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text,
                           const juce::StringArray& buttons) = 0;

    // A file to read, or nothing when the user cancels.
    virtual std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // A name for a file to write, or nothing when the user cancels. It asks
    // nothing about an existing file: the caller may still change the name,
    // so it asks about the file it will actually write.
    virtual std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn,
                                                        const juce::String& patterns) = 0;

    // A file to write with the given extension (".vorlo25"), added to the
    // name the user typed unless it already ends in it. When that file exists, the user is asked before
    // it is replaced; nothing when the user cancels either question.
    std::optional<juce::File> chooseFileToWrite (const juce::String& title, const juce::File& startIn, const juce::String& patterns,
                                                 const juce::String& extension);

    // Runs the task on a worker thread behind a modal window with a progress
    // bar and a cancel button. True when the task ended by itself; false
    // when the user cancelled, after the thread was asked to exit and given
    // stopTimeoutMs to do so.
    virtual bool runWithProgress (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs,
                                  ProgressTask& task) = 0;

    // JUCE's modal alert windows and the platform's native file dialogs.
    static Dialogs& system();

    // Deletes the message boxes of system() still up, for an application
    // about to quit: JUCE would delete them only after the timers their
    // windows use are gone, and crash.
    static void closeOpenMessages();
};
