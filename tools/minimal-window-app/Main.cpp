// The smallest JUCE application of the editor's shape, built as the editor
// is: one fixed-size DocumentWindow with the native title bar and one
// component in it. It does nothing; scripts/perf-report measures the editor's
// start-up, memory and idle cost against it. "--alert" puts up one of JUCE's
// alert boxes over it, the cost of such a box alone, to compare with the
// editor showing one of its messages.
#include "app/FirstPaintMarker.h"

namespace
{
constexpr int width = 816;
constexpr int height = 545;

class Content final : public juce::Component
{
public:
    Content() { setSize (width, height); }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::white); }

    void paintOverChildren (juce::Graphics&) override { firstPaint.painted(); }

private:
    FirstPaintMarker firstPaint;
};

class Window final : public juce::DocumentWindow
{
public:
    Window()
        : juce::DocumentWindow ("Minimal Window", juce::Colours::azure,
                                juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
    {
        setResizable (false, false);
        setTitleBarHeight (20);
        setUsingNativeTitleBar (true);
        setContentOwned (new Content(), true);
    }

    void closeButtonPressed() override { juce::JUCEApplicationBase::quit(); }
};

class MinimalWindowApp final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Minimal Window"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String& commandLine) override
    {
        window = std::make_unique<Window>();
        window->centreWithSize (width, height);
        window->setVisible (true);

        if (commandLine.contains ("--alert"))
            juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::InfoIcon, "Minimal Alert", "A message.");
    }

    void shutdown() override { window.reset(); }

private:
    std::unique_ptr<Window> window;
};
} // namespace

START_JUCE_APPLICATION (MinimalWindowApp)
