#pragma once

#include "JuceIncludes.h"

// A short notice in a bubble pointing at a component, gone by itself after a
// few seconds: for news that needs no answer, such as a send that worked.
// Add it to the parent of the components it points at.
class NoticeBubble : public juce::BubbleComponent, private juce::Timer
{
public:
    NoticeBubble();

    void show (const juce::String& text, juce::Component& pointAt);
    void dismiss();

    const juce::String& getText() const noexcept { return text; }

    static constexpr int visibleMs = 3000;

private:
    void getContentSize (int& width, int& height) override;
    void paintContent (juce::Graphics& g, int width, int height) override;
    void timerCallback() override { dismiss(); }
    juce::TextLayout layoutText() const;

    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NoticeBubble)
};
