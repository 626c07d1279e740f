#pragma once

#include "ui/Dialogs.h"

#include <deque>
#include <functional>
#include <mutex>

// Records what the editor shows and answers as the test told it to.
class ScriptedDialogs : public Dialogs
{
public:
    // A file chooser is recorded with its patterns as text.
    struct Shown
    {
        juce::MessageBoxIconType icon;
        juce::String title, text;
        juce::File startIn = {}; // where a file chooser started
        juce::String over = {};  // the title of a dialog it came up over, if any
    };

    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        show ({ icon, title, text });
    }

    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        show ({ icon, title, text });
        const std::lock_guard<std::mutex> lock (mutex);
        return next (okAnswers, false);
    }

    int askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text, const juce::StringArray&) override
    {
        show ({ icon, title, text });
        const std::lock_guard<std::mutex> lock (mutex);
        return next (choices, 0);
    }

    std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        show ({ juce::MessageBoxIconType::NoIcon, title, patterns, startIn });
        const std::lock_guard<std::mutex> lock (mutex);
        return next (files, std::optional<juce::File>());
    }

    std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        show ({ juce::MessageBoxIconType::NoIcon, title, patterns, startIn });
        const std::lock_guard<std::mutex> lock (mutex);
        return next (files, std::optional<juce::File>());
    }

    // Runs while each dialog is open, as the user would take their time over
    // it while the message loop goes on: what else comes up meanwhile is
    // recorded as over it.
    void whileOpen (std::function<void (const Shown&)> action) { openAction = std::move (action); }

    // The task runs on a worker thread, as behind JUCE's progress window,
    // until it ends or the condition set by cancelProgressWhen holds.
    bool runWithProgress (const juce::String& title, const juce::String&, int stopTimeoutMs, ProgressTask& task) override
    {
        std::function<bool()> shouldCancel;
        {
            const std::lock_guard<std::mutex> lock (mutex);
            shown.push_back ({ juce::MessageBoxIconType::NoIcon, title, {} });
            shown.back().over = open.empty() ? juce::String() : open.back();
            shouldCancel = cancelCondition;
        }

        TaskThread worker (task);
        worker.startThread (juce::Thread::Priority::normal);
        bool cancelled = false;
        while (worker.isThreadRunning() && ! cancelled)
        {
            cancelled = shouldCancel && shouldCancel();
            if (cancelled)
                worker.stopThread (stopTimeoutMs);
            else
                juce::Thread::sleep (1);
        }
        return ! cancelled;
    }

    // The user presses Cancel in the progress window once this holds.
    void cancelProgressWhen (std::function<bool()> condition) { cancelCondition = std::move (condition); }

    std::vector<Shown> getShown() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return shown;
    }

    int countTitled (const juce::String& title) const
    {
        int n = 0;
        for (const auto& s : getShown())
            n += s.title == title ? 1 : 0;
        return n;
    }

    void forgetShown()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.clear();
    }

    void answerOk (bool ok) { okAnswers.push_back (ok); }
    void answerChoice (int buttonIndex) { choices.push_back (buttonIndex); }
    void answerFile (std::optional<juce::File> file) { files.push_back (std::move (file)); }

private:
    void show (Shown dialog)
    {
        std::function<void (const Shown&)> action;
        {
            const std::lock_guard<std::mutex> lock (mutex);
            if (! open.empty())
                dialog.over = open.back();
            shown.push_back (dialog);
            open.push_back (dialog.title);
            action = openAction;
        }
        if (action)
            action (dialog);
        const std::lock_guard<std::mutex> lock (mutex);
        open.pop_back();
    }

    struct TaskThread : juce::Thread
    {
        explicit TaskThread (ProgressTask& t) : juce::Thread ("progress task"), task (t) {}
        void run() override { task.run(); }
        ProgressTask& task;
    };

    template <typename T>
    static T next (std::deque<T>& answers, T otherwise)
    {
        if (answers.empty())
            return otherwise;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    mutable std::mutex mutex;
    std::vector<Shown> shown;
    std::deque<bool> okAnswers;
    std::deque<int> choices;
    std::deque<std::optional<juce::File>> files;
    std::function<bool()> cancelCondition;
    std::function<void (const Shown&)> openAction;
    std::vector<juce::String> open;
};
