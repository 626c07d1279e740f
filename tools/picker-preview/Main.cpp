#include "pickers/OM32CtrlPickerComponent.h"
#include "pickers/OR25CtrlPickerComponent.h"
#include "pickers/OV49CtrlPickerComponent.h"
#include "pickers/QLookAndFeel.h"
#include "pickers/Vorlo25CtrlPickerComponent.h"

#include <functional>
#include <iostream>

namespace
{
struct PreviewedModel
{
    const char* option; // as given after --model
    const char* name;   // as the window title shows it
    std::function<std::unique_ptr<juce::Component>()> createPicker;
};

const std::vector<PreviewedModel>& previewedModels()
{
    static const std::vector<PreviewedModel> models {
        { "vorlo25", "Vorlo25", [] { return std::make_unique<Vorlo25CtrlPickerComponent>(); } },
        { "om32", "OM32", [] { return std::make_unique<OM32CtrlPickerComponent>(); } },
        { "or25", "OR25", [] { return std::make_unique<OR25CtrlPickerComponent>(); } },
        { "ov49", "OV49", [] { return std::make_unique<OV49CtrlPickerComponent>(); } },
    };
    return models;
}

// The model named by "--model NAME" (the Vorlo25 without the option); null if
// the command line names none of them.
const PreviewedModel* findModel (const juce::String& commandLine)
{
    auto arguments = juce::StringArray::fromTokens (commandLine, true);
    arguments.removeEmptyStrings();

    if (arguments.isEmpty())
        return &previewedModels().front();

    if (arguments.size() != 2 || arguments[0] != "--model")
        return nullptr;

    for (const auto& model : previewedModels())
        if (arguments[1] == model.option)
            return &model;

    return nullptr;
}

// The picker with a margin round it, as the settings panel shows it, and a
// tooltip window inside, so that a screenshot of the window catches the tips.
class PreviewContent : public juce::Component
{
public:
    explicit PreviewContent (std::unique_ptr<juce::Component> pickerToShow) : picker (std::move (pickerToShow))
    {
        addAndMakeVisible (*picker);
        setSize (picker->getWidth() + 2 * margin, picker->getHeight() + 2 * margin);
    }

    void paint (juce::Graphics& g) override { g.fillAll (findColour (juce::ResizableWindow::backgroundColourId)); }
    void resized() override { picker->setTopLeftPosition (margin, margin); }

private:
    static constexpr int margin = 9;

    std::unique_ptr<juce::Component> picker;
    juce::TooltipWindow tooltips { this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviewContent)
};

class PreviewWindow : public juce::DocumentWindow
{
public:
    explicit PreviewWindow (const PreviewedModel& model)
        : juce::DocumentWindow (juce::String (model.name) + " picker preview", juce::Colours::lightgrey, juce::DocumentWindow::closeButton)
    {
        setUsingNativeTitleBar (true);
        setContentOwned (new PreviewContent (model.createPicker()), true);
        setResizable (false, false);
        centreWithSize (getWidth(), getHeight());
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreviewWindow)
};

// Shows one model's control picker alone, in the editor's look, for trying it
// out and for screenshots (scripts/screenshot-picker, scripts/screenshot-gallery).
// The Orvane pickers have no other window to be seen in.
class PickerPreviewApplication : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Picker preview"; }
    const juce::String getApplicationVersion() override { return "1.0"; }

    void initialise (const juce::String& commandLine) override
    {
        const auto* model = findModel (commandLine);

        if (model == nullptr)
        {
            std::cerr << "usage: picker-preview [--model vorlo25|om32|or25|ov49]" << std::endl;
            setApplicationReturnValue (2);
            quit();
            return;
        }

        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        window = std::make_unique<PreviewWindow> (*model);
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
