#include "pickers/QLookAndFeel.h"
#include "pickers/Vorlo25CtrlPickerComponent.h"

namespace
{
// The picker with a margin round it, as the settings panel shows it, and a
// tooltip window inside, so that a screenshot of the window catches the tips.
class PreviewContent : public juce::Component
{
public:
    PreviewContent()
    {
        addAndMakeVisible (picker);
        setSize (picker.getWidth() + 2 * margin, picker.getHeight() + 2 * margin);
    }

    void paint (juce::Graphics& g) override { g.fillAll (findColour (juce::ResizableWindow::backgroundColourId)); }
    void resized() override { picker.setTopLeftPosition (margin, margin); }

private:
    static constexpr int margin = 9;

    Vorlo25CtrlPickerComponent picker;
    juce::TooltipWindow tooltips { this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviewContent)
};

class PreviewWindow : public juce::DocumentWindow
{
public:
    PreviewWindow()
        : juce::DocumentWindow ("Vorlo25 picker preview", juce::Colours::lightgrey, juce::DocumentWindow::closeButton)
    {
        setUsingNativeTitleBar (true);
        setContentOwned (new PreviewContent(), true);
        setResizable (false, false);
        centreWithSize (getWidth(), getHeight());
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviewWindow)
};

// Shows the Vorlo25 control picker alone, in the editor's look, for trying it
// out and for screenshots (scripts/screenshot-picker).
class PickerPreviewApplication : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Vorlo25 picker preview"; }
    const juce::String getApplicationVersion() override { return "1.0"; }

    void initialise (const juce::String&) override
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        window = std::make_unique<PreviewWindow>();
    }

    void shutdown() override
    {
        window.reset();
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

private:
    QLookAndFeel lookAndFeel;
    std::unique_ptr<PreviewWindow> window;
};
} // namespace

START_JUCE_APPLICATION (PickerPreviewApplication)
