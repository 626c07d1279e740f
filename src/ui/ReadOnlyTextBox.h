#pragma once

#include "JuceIncludes.h"

// A one-line box with a text to read, not to edit, looking as JUCE's
// read-only TextEditor looks and taking its colours (TextEditor's colour
// ids). Unlike that editor it listens to no mouse but its own: every
// TextEditor polls the pointer for as long as it exists, which keeps an idle
// window busy. A click selects the text and Ctrl+C (Cmd+C) copies it; the
// right button offers "Copy".
class ReadOnlyTextBox : public juce::Component, public juce::SettableTooltipClient
{
public:
    explicit ReadOnlyTextBox (const juce::String& nameOfBox);

    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept { return text; }

    bool isTextSelected() const noexcept { return selected; }
    // Puts the text on the clipboard, if there is any.
    void copy() const;

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;
    void focusLost (FocusChangeType) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    void setSelected (bool shouldBeSelected);
    void showMenu();

    juce::String text;
    bool selected = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ReadOnlyTextBox)
};
