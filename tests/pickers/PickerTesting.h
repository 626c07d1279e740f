#pragma once

#include "JuceIncludes.h"

#include <cstdlib>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

// What a picker announced to its action listeners, in order.
struct AnnouncementRecorder : juce::ActionListener
{
    void actionListenerCallback (const juce::String& message) override { announced.push_back (message.toStdString()); }

    std::vector<std::string> announced;
};

// A picker's widget, found by its tooltip.
inline juce::Button& findWidget (juce::Component& picker, const juce::String& tooltip)
{
    for (auto* child : picker.getChildren())
        if (auto* widget = dynamic_cast<juce::Button*> (child); widget != nullptr && widget->getTooltip() == tooltip)
            return *widget;

    throw std::runtime_error ("no widget " + tooltip.toStdString());
}

// The share of the area's pixels that clearly differ from every one of the
// background colours: how much of the area shows something drawn on it.
inline float shareUnlike (const juce::Image& picture, juce::Rectangle<int> area, std::initializer_list<juce::Colour> backgrounds)
{
    const auto resembles = [] (juce::Colour a, juce::Colour b)
    {
        return std::abs (a.getRed() - b.getRed()) <= 20 && std::abs (a.getGreen() - b.getGreen()) <= 20
            && std::abs (a.getBlue() - b.getBlue()) <= 20 && std::abs (a.getAlpha() - b.getAlpha()) <= 20;
    };

    int count = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto pixel = picture.getPixelAt (x, y);
            bool isBackground = false;

            for (auto background : backgrounds)
                isBackground = isBackground || resembles (pixel, background);

            count += isBackground ? 0 : 1;
        }

    return (float) count / (float) (area.getWidth() * area.getHeight());
}
