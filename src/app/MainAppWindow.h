#pragma once

#include "app/MainComponent.h"

// The one window: fixed size, with the native title bar and only the buttons
// that minimise and close it.
class MainAppWindow : public juce::DocumentWindow
{
public:
    static constexpr const char* title = "Velmora Vorlo MIDI Control Center";

    explicit MainAppWindow (std::unique_ptr<MainComponent> content = std::make_unique<MainComponent>(),
                            const juce::String& windowTitle = title);

    // Closing quits, after a question when edits were neither sent nor saved.
    void closeButtonPressed() override;

    MainComponent& getMainComponent();

    // The keyboard's moves select controls only while this window is the
    // active one: elsewhere, other programs may want the keyboard.
    void activeWindowStatusChanged() override;

    // Keys that reach the window with nothing inside it focused go to the
    // panel, so that undo and redo work wherever the focus is.
    bool keyPressed (const juce::KeyPress& key) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
};
