#include "calibration/PadCalibComponent.h"

#include "pickers/QLookAndFeel.h"
#include "ui/ScopedBusyScreen.h"

namespace
{
const juce::Colour noticeColour { 0xff9c1f1f };
constexpr float labelFontHeight = 15.0f;
constexpr float noticeFontHeight = 13.0f;

const juce::String keyboardProblemTitle = "Keyboard Problem";
const juce::String unreadGainsAdvice = " Apply and OK leave their gains on the keyboard as they are, unless you move their sliders.";

juce::Rectangle<int> padColumn (int pad, int y, int w, int h) { return { 16 + 52 * pad, y, w, h }; }
} // namespace

PadCalibComponent::PadCalibComponent (OrvaneManager49* manager, Dialogs& dialogsToUse) : dialogs (dialogsToUse), gains (*manager)
{
    for (int pad = 0; pad < PadGains::numPads; ++pad)
    {
        auto label = std::make_unique<juce::Label> ("new label", "Pad #" + juce::String (pad + 1));
        label->setFont (juce::Font (labelFontHeight, juce::Font::plain));
        label->setJustificationType (juce::Justification::centredLeft);
        label->setEditable (false, false, false);
        label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
        label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
        addAndMakeVisible (*label);
        padLabels[(size_t) pad] = std::move (label);

        auto slider = std::make_unique<juce::Slider> ("pad slider");
        slider->setTooltip ("Sets velocity gain for pad");
        slider->setRange (PadGains::minGain, PadGains::maxGain, 1);
        slider->setSliderStyle (juce::Slider::LinearVertical);
        slider->setTextBoxStyle (juce::Slider::TextBoxBelow, false, 80, 20);
        slider->addListener (this);
        addAndMakeVisible (*slider);
        sliders[(size_t) pad] = std::move (slider);
    }

    okButton = makeButton ("OK button", "OK");
    applyButton = makeButton ("Apply button", "Apply");
    defaultButton = makeButton ("Default button", "Default");

    unreadNotice = std::make_unique<juce::Label> ("unread notice");
    unreadNotice->setFont (juce::Font (noticeFontHeight, juce::Font::plain));
    unreadNotice->setJustificationType (juce::Justification::topLeft);
    unreadNotice->setMinimumHorizontalScale (1.0f);
    unreadNotice->setColour (juce::Label::textColourId, noticeColour);
    addChildComponent (*unreadNotice);

    setSize (width, height);

    for (auto& slider : sliders)
        slider->setTextValueSuffix ("/" + juce::String (PadGains::defaultGain));

    resetGains();
    readGainsFromKeyboard();
    updateSliders();
    tooltips->watch (*this);
}

PadCalibComponent::~PadCalibComponent()
{
    tooltips->unwatch (*this);
    for (auto& slider : sliders)
        slider->removeListener (this);
}

std::unique_ptr<juce::TextButton> PadCalibComponent::makeButton (const juce::String& name, const juce::String& text)
{
    auto button = std::make_unique<juce::TextButton> (name);
    button->setButtonText (text);
    QLookAndFeel::colourCommandButton (*button);
    button->addListener (this);
    addAndMakeVisible (*button);
    return button;
}

void PadCalibComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 224.0f, 8.0f, juce::Colour (0xffababab), 224.0f, 288.0f, false));
    g.fillRect (0, 0, width, height);
}

void PadCalibComponent::resized()
{
    for (int pad = 0; pad < PadGains::numPads; ++pad)
    {
        padLabels[(size_t) pad]->setBounds (padColumn (pad, 16, 48, 24));
        sliders[(size_t) pad]->setBounds (padColumn (pad, 56, 47, 200));
    }

    okButton->setBounds (472, 16, 110, 24);
    applyButton->setBounds (472, 48, 110, 24);
    defaultButton->setBounds (472, 80, 110, 24);

    // The window's title bar leaves a little less than the page's height.
    unreadNotice->setBounds (16, 258, 566, 32);
}

//==============================================================================
void PadCalibComponent::resetGains() { gains.reset(); }

void PadCalibComponent::readGainsFromKeyboard()
{
    {
        const ScopedBusyScreen busy;
        gains.readFromKeyboard();
    }
    showUnreadNotice();
}

void PadCalibComponent::updateSliders()
{
    for (int pad = 0; pad < PadGains::numPads; ++pad)
        sliders[(size_t) pad]->setValue (gains.get (pad), juce::sendNotificationAsync);
}

void PadCalibComponent::showUnreadNotice()
{
    const auto unread = PadGains::describeUnreadPads (gains.getUnreadPads());
    unreadNotice->setText (unread.isEmpty() ? juce::String() : unread + unreadGainsAdvice, juce::dontSendNotification);
    unreadNotice->setVisible (unread.isNotEmpty());
}

void PadCalibComponent::sliderValueChanged (juce::Slider* slider)
{
    for (int pad = 0; pad < PadGains::numPads; ++pad)
    {
        if (sliders[(size_t) pad].get() == slider)
        {
            // A slider only showing the gain it was given is no choice of the
            // user's: an unread pad must stay unread.
            if ((int) slider->getValue() != gains.get (pad))
            {
                gains.set (pad, (int) slider->getValue());
                showUnreadNotice();
            }
            return;
        }
    }
}

bool PadCalibComponent::applyGains()
{
    PadGains::ApplyResult result;
    {
        const ScopedBusyScreen busy;
        result = gains.apply();
    }

    if (result != PadGains::ApplyResult::applied)
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, PadGains::describeApplyProblem (result));
        return false;
    }

    showUnreadNotice();
    return true;
}

void PadCalibComponent::buttonClicked (juce::Button* button)
{
    if (button == okButton.get())
    {
        // The dialog stays open when the gains did not get to the keyboard,
        // so that what the user set is not thrown away.
        if (applyGains())
            if (auto* window = findParentComponentOfClass<juce::DialogWindow>())
                window->exitModalState (0);
    }
    else if (button == applyButton.get())
    {
        applyGains();
    }
    else if (button == defaultButton.get())
    {
        resetGains();
        updateSliders();
        showUnreadNotice();
    }
}
