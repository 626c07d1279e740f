#pragma once

#include "ui/Dialogs.h"

// Dialogs for a benchmark, where no one answers: every question gets the
// answer set here, files are never chosen, and a task with progress runs on
// a worker thread to its end.
class QuietDialogs : public Dialogs
{
public:
    explicit QuietDialogs (bool okAnswerToUse) : okAnswer (okAnswerToUse) {}

    void showMessage (juce::MessageBoxIconType, const juce::String&, const juce::String& text) override { lastMessage = text; }
    bool askOkCancel (juce::MessageBoxIconType, const juce::String&, const juce::String&) override { return okAnswer; }
    int askChoice (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::StringArray&) override { return 0; }
    std::optional<juce::File> chooseFileToOpen (const juce::String&, const juce::File&, const juce::String&) override { return {}; }
    std::optional<juce::File> chooseFileToSave (const juce::String&, const juce::File&, const juce::String&) override { return {}; }

    bool runWithProgress (const juce::String&, const juce::String&, int, ProgressTask& task) override
    {
        struct Worker : juce::Thread
        {
            explicit Worker (ProgressTask& t) : juce::Thread ("benchmark task"), task (t) {}
            void run() override { task.run(); }
            ProgressTask& task;
        } worker (task);

        worker.startThread (juce::Thread::Priority::normal);
        worker.waitForThreadToExit (-1);
        return true;
    }

    juce::String lastMessage;

private:
    const bool okAnswer;
};
