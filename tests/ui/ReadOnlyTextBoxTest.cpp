#include "ui/ReadOnlyTextBox.h"
#include "pickers/QLookAndFeel.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
// Pixels that differ between two pictures of the same size, and the largest
// difference in any channel.
struct Difference
{
    int pixels = 0;
    int largest = 0;
};

Difference compare (const juce::Image& a, const juce::Image& b)
{
    Difference d;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y).getPixelARGB();
            const auto q = b.getPixelAt (x, y).getPixelARGB();
            const int largest = juce::jmax (std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                                            std::abs (p.getBlue() - q.getBlue()), std::abs (p.getAlpha() - q.getAlpha()));
            d.pixels += largest > 0 ? 1 : 0;
            d.largest = juce::jmax (d.largest, largest);
        }
    return d;
}
} // namespace

// The box replaces the panel's read-only TextEditors: it must look as they did.
TEST (ReadOnlyTextBox, LooksAsAReadOnlyTextEditor)
{
    struct Case
    {
        const char* text;
        juce::Colour background; // transparent: the look's own
    };
    const Case cases[] = {
        { "<Click a Control>", juce::Colour (0x60ff8080) },
        { "1 - Volume", juce::Colour (0x60ff8080) },
        { "Not detected yet", juce::Colours::transparentBlack },
        { "OV49 1.0.3.0", juce::Colours::transparentBlack },
        { "", juce::Colours::transparentBlack },
    };

    // As in the editor, whose look gives every text its typeface.
    QLookAndFeel lookAndFeel;
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    for (const auto& c : cases)
    {
        juce::TextEditor editor;
        editor.setReadOnly (true);
        editor.setScrollbarsShown (false);
        editor.setCaretVisible (false);
        ReadOnlyTextBox box ("box");
        for (juce::Component* component : { (juce::Component*) &editor, (juce::Component*) &box })
        {
            component->setLookAndFeel (&lookAndFeel);
            component->setSize (177, 24);
            if (! c.background.isTransparent())
                component->setColour (juce::TextEditor::backgroundColourId, c.background);
        }
        editor.setText (c.text);
        box.setText (c.text);

        const auto asEditor = editor.createComponentSnapshot (editor.getLocalBounds());
        const auto asBox = box.createComponentSnapshot (box.getLocalBounds());
        const auto difference = compare (asEditor, asBox);
        EXPECT_EQ (difference.pixels, 0) << c.text << ": largest difference " << difference.largest;

        box.setText ({});
        if (juce::String (c.text).isNotEmpty())
        {
            EXPECT_GT (compare (asBox, box.createComponentSnapshot (box.getLocalBounds())).pixels, 0) << c.text << ": the text is drawn";
        }

        editor.setLookAndFeel (nullptr);
        box.setLookAndFeel (nullptr);
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

TEST (ReadOnlyTextBox, CopiesItsTextWithTheCopyKeyAndLeavesOtherKeysToTheWindow)
{
    ReadOnlyTextBox box ("firmware revision");
    box.setText ("1.0.3.0");
    juce::SystemClipboard::copyTextToClipboard ("something else");

    const auto command = juce::ModifierKeys::commandModifier;
    EXPECT_FALSE (box.keyPressed (juce::KeyPress ('z', command, 0))) << "undo belongs to the panel";
    EXPECT_FALSE (box.keyPressed (juce::KeyPress ('x', 0, 'x')));
    EXPECT_EQ (box.getText(), "1.0.3.0");

    EXPECT_TRUE (box.keyPressed (juce::KeyPress ('c', command, 0)));
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), "1.0.3.0");

    box.setText ({});
    EXPECT_TRUE (box.keyPressed (juce::KeyPress ('c', command, 0)));
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), "1.0.3.0") << "an empty box leaves the clipboard alone";
}

TEST (ReadOnlyTextBox, AClickSelectsTheTextUntilTheFocusMovesOnOrTheTextChanges)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "needs a display";

    juce::Component window;
    ReadOnlyTextBox box ("firmware revision");
    juce::TextButton elsewhere ("elsewhere");
    window.addAndMakeVisible (box);
    window.addAndMakeVisible (elsewhere);
    box.setBounds (0, 0, 133, 24);
    elsewhere.setBounds (0, 30, 80, 24);
    window.setBounds (100, 100, 200, 60);
    window.addToDesktop (0);
    window.setVisible (true);
    box.setText ("1.0.3.0");

    const auto mouse = juce::Desktop::getInstance().getMainMouseSource();
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent click (mouse, { 10.0f, 10.0f }, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &box, &box, now, { 10.0f, 10.0f }, now, 1,
                                  false);
    box.mouseDown (click);
    EXPECT_TRUE (box.isTextSelected());
    EXPECT_TRUE (box.hasKeyboardFocus (false));

    elsewhere.grabKeyboardFocus();
    flushMessageLoop();
    EXPECT_FALSE (box.isTextSelected());

    box.mouseDown (click);
    box.setText ("Disconnected");
    EXPECT_FALSE (box.isTextSelected()) << "what was selected is gone";
}
