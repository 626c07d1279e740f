#include "ui/Dialogs.h"

#include "ui/TooltipsOnDemand.h"

namespace
{
// JUCE's progress window around a task. The bar is fed from the message
// thread, by a timer of its own, so the worker never writes what the
// window's timer reads.
class ProgressWindow final : public juce::ThreadWithProgressWindow
{
public:
    ProgressWindow (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs, ProgressTask& taskToRun)
        : juce::ThreadWithProgressWindow (title, true, true, stopTimeoutMs, cancelButtonText), task (taskToRun)
    {
    }

    bool runTask()
    {
        progressFeed.startTimer (progressUpdateMs);
        const bool ended = runThread (juce::Thread::Priority::normal);
        progressFeed.stopTimer();
        return ended;
    }

    void run() override { task.run(); }

private:
    struct ProgressFeed final : juce::Timer
    {
        explicit ProgressFeed (ProgressWindow& w) : window (w) {}
        void timerCallback() override { window.setProgress (window.task.getProgress()); }
        ProgressWindow& window;
    };

    static constexpr int progressUpdateMs = 50;
    ProgressTask& task;
    ProgressFeed progressFeed { *this };
};

// A box coming up blocks the windows beneath from hearing that the pointer
// left them: their tooltip window would poll the display until it returns.
void dismissTooltips() { juce::SharedResourcePointer<TooltipsOnDemand>()->dismiss(); }

class SystemDialogs final : public Dialogs
{
public:
    bool runWithProgress (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs, ProgressTask& task) override
    {
        ProgressWindow window (title, cancelButtonText, stopTimeoutMs, task);
        return window.runTask();
    }

    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        // The box deletes itself when dismissed. A modal loop here would poll
        // the X connection every millisecond for as long as the box is up.
        dismissTooltips();
        juce::AlertWindow::showMessageBoxAsync (icon, title, text);
    }

    void showMessageAndWait (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        dismissTooltips();
        juce::AlertWindow::showMessageBox (icon, title, text);
    }

    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override
    {
        dismissTooltips();
        return juce::AlertWindow::showOkCancelBox (icon, title, text, "OK", "Cancel");
    }

    int askChoice (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text,
                   const juce::StringArray& buttons) override
    {
        juce::AlertWindow window (title, text, icon);
        for (int i = 0; i < buttons.size(); ++i)
            window.addButton (buttons[i], i + 1, i == 0 ? juce::KeyPress (juce::KeyPress::returnKey) : juce::KeyPress());

        // Closing the box otherwise gives 0, the default.
        dismissTooltips();
        return juce::jmax (0, window.runModalLoop() - 1);
    }

    std::optional<juce::File> chooseFileToOpen (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        juce::FileChooser chooser (title, startIn, patterns, true);
        if (! chooser.browseForFileToOpen())
            return std::nullopt;
        return chooser.getResult();
    }

    std::optional<juce::File> chooseFileToSave (const juce::String& title, const juce::File& startIn, const juce::String& patterns) override
    {
        juce::FileChooser chooser (title, startIn, patterns, true);
        if (! chooser.browseForFileToSave (false))
            return std::nullopt;
        return chooser.getResult();
    }
};
} // namespace

std::optional<juce::File> Dialogs::chooseFileToWrite (const juce::String& title, const juce::File& startIn, const juce::String& patterns,
                                                      const juce::String& extension)
{
    const auto chosen = chooseFileToSave (title, startIn, patterns);
    if (! chosen)
        return std::nullopt;

    // The extension is added, never swapped in: a dot in a name the user
    // typed ("Gig v1.2") is part of the name.
    const auto file = chosen->hasFileExtension (extension) ? *chosen : chosen->getSiblingFile (chosen->getFileName() + extension);
    if (file.exists()
        && ! askOkCancel (juce::MessageBoxIconType::WarningIcon, "File Already Exists",
                          file.getFileName().quoted() + " already exists in " + file.getParentDirectory().getFullPathName().quoted()
                              + ". Do you want to replace it?"))
        return std::nullopt;

    return file;
}

void Dialogs::closeOpenMessages()
{
    auto& modal = *juce::ModalComponentManager::getInstance();
    std::vector<juce::Component::SafePointer<juce::AlertWindow>> boxes;
    for (int i = 0; i < modal.getNumModalComponents(); ++i)
        if (auto* box = dynamic_cast<juce::AlertWindow*> (modal.getModalComponent (i)))
            boxes.emplace_back (box);

    // They were handed to JUCE to delete when dismissed; deleting one ends its
    // modal state.
    for (auto& box : boxes)
        delete box.getComponent();
}

Dialogs& Dialogs::system()
{
    static SystemDialogs dialogs;
    return dialogs;
}
