#pragma once

#include "ui/Dialogs.h"

#include <deque>
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
    void answerFile (std::optional<juce::File> file) { files.push_back (std::move (file)); }

private:
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
    std::deque<std::optional<juce::File>> files;
};
