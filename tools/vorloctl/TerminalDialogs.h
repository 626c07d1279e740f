#pragma once

#include "ui/Dialogs.h"
#include "vorloctl/ToolContext.h"

// The editor's dialogs on a terminal: messages on standard output, warnings
// on standard error, the OK / Cancel question answered on standard input,
// and a progress bar in place of the progress window, drawn on standard
// error only when it is a terminal. Ctrl-C cancels what is under way while
// it exists.
class TerminalDialogs : public Dialogs
{
public:
    // With answerYes the question is shown and taken as answered OK.
    TerminalDialogs (ToolContext& context, bool answerYes);
    ~TerminalDialogs() override;

    void showMessage (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override;
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& text) override;
    // Nothing the tool does asks one; whoever would gets the answer that loses nothing.
    int askChoice (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::StringArray&) override { return 0; }
    // A terminal command is given its file: nothing to choose.
    std::optional<juce::File> chooseFileToOpen (const juce::String&, const juce::File&, const juce::String&) override { return {}; }
    std::optional<juce::File> chooseFileToSave (const juce::String&, const juce::File&, const juce::String&) override { return {}; }
    bool runWithProgress (const juce::String& title, const juce::String& cancelButtonText, int stopTimeoutMs, ProgressTask& task) override;

    // Whether Ctrl-C was pressed while these dialogs were up.
    static bool wasInterrupted();

private:
    void drawProgressBar (double progress);

    ToolContext& context;
    const bool answerYes;

    JUCE_DECLARE_NON_COPYABLE (TerminalDialogs)
};
