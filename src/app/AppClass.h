#pragma once

#include "app/MainAppWindow.h"
#include "pickers/QLookAndFeel.h"

// The editor as an application: its own look, one window, and the end of the
// program when that window closes.
class AppClass : public juce::JUCEApplication
{
public:
    AppClass();
    ~AppClass() override;

    const juce::String getApplicationName() override { return "Orvane Rover MIDI Control Center"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }
    void anotherInstanceStarted (const juce::String&) override {}

    // The command line is ignored.
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    // Quits, unless the editor holds edits the user wants to keep.
    void systemRequestedQuit() override;

protected:
    virtual std::unique_ptr<MainAppWindow> createMainWindow();

private:
    std::unique_ptr<QLookAndFeel> lookAndFeel;
    std::unique_ptr<MainAppWindow> mainWindow;
};
