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
    };

    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.push_back ({ icon, title, text });
    }

    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.push_back ({ icon, title, text });
        return next (okAnswers, false);
    }

    int askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text, const juce::StringArray&) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.push_back ({ icon, title, text });
        return next (choices, 0);
    }

    std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.push_back ({ juce::MessageBoxIconType::NoIcon, title, patterns, startIn });
        return next (files, std::optional<juce::File>());
    }

    std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        shown.push_back ({ juce::MessageBoxIconType::NoIcon, title, patterns, startIn });
        return next (files, std::optional<juce::File>());
    }

    // The task runs on a worker thread, as behind JUCE's progress window,
    // until it ends or the condition set by cancelProgressWhen holds.
    bool runWithProgress (const juce::String& title, const juce::String&, int stopTimeoutMs, ProgressTask& task) override
    {
        std::function<bool()> shouldCancel;
        {
            const std::lock_guard<std::mutex> lock (mutex);
            shown.push_back ({ juce::MessageBoxIconType::NoIcon, title, {} });
            shouldCancel = cancelCondition;
        }

        TaskThread worker (task);
        worker.startThread (juce::Thread::Priority::normal);
        while (worker.isThreadRunning())
        {
            if (shouldCancel && shouldCancel())
            {
                worker.stopThread (stopTimeoutMs);
                return false;
            }
            juce::Thread::sleep (1);
        }
        return true;
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
};
