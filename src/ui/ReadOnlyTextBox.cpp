#include "ui/ReadOnlyTextBox.h"

namespace
{
// Where a TextEditor puts its first line: inside its border (1 pixel) and
// its indents (4 pixels), at 14 pixels high.
constexpr float textX = 5.0f;
constexpr float textTop = 5.0f;
constexpr float fontHeight = 14.0f;
constexpr int bevelSize = 3;

class TextValue final : public juce::AccessibilityTextValueInterface
{
public:
    explicit TextValue (ReadOnlyTextBox& boxToRead) : box (boxToRead) {}

    bool isReadOnly() const override { return true; }
    juce::String getCurrentValueAsString() const override { return box.getText(); }
    void setValueAsString (const juce::String&) override {}

private:
    ReadOnlyTextBox& box;
};
} // namespace

ReadOnlyTextBox::ReadOnlyTextBox (const juce::String& nameOfBox) : juce::Component (nameOfBox)
{
    setWantsKeyboardFocus (true);
    setMouseCursor (juce::MouseCursor::IBeamCursor);
}

void ReadOnlyTextBox::setText (const juce::String& newText)
{
    if (newText == text)
        return;

    text = newText;
    setSelected (false);
    repaint();
    if (auto* handler = getAccessibilityHandler())
        handler->notifyAccessibilityEvent (juce::AccessibilityEvent::valueChanged);
}

void ReadOnlyTextBox::copy() const
{
    // Nothing to copy leaves the clipboard as it was.
    if (text.isNotEmpty())
        juce::SystemClipboard::copyTextToClipboard (text);
}

void ReadOnlyTextBox::paint (juce::Graphics& g)
{
    g.fillAll (findColour (juce::TextEditor::backgroundColourId));

    const juce::Font font (fontHeight);
    // As a TextEditor places its line: the baseline on a whole pixel.
    const float baseline = textTop + (float) juce::roundToInt (font.getHeight() - font.getDescent());

    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, textX, baseline);

    if (selected && text.isNotEmpty())
    {
        const auto area = glyphs.getBoundingBox (0, -1, false).withY (textTop).withHeight (font.getHeight());
        g.setColour (findColour (juce::TextEditor::highlightColourId).withMultipliedAlpha (hasKeyboardFocus (true) ? 1.0f : 0.5f));
        g.fillRect (area);
        g.setColour (findColour (juce::TextEditor::highlightedTextColourId));
    }
    else
    {
        g.setColour (findColour (juce::TextEditor::textColourId));
    }
    glyphs.draw (g);

    // The outline of a read-only TextEditor.
    g.setColour (findColour (juce::TextEditor::outlineColourId));
    g.drawRect (getLocalBounds());
    g.setOpacity (1.0f);
    const auto shadow = findColour (juce::TextEditor::shadowColourId);
    juce::LookAndFeel_V2::drawBevel (g, 0, 0, getWidth(), getHeight() + 2, bevelSize, shadow, shadow);
}

void ReadOnlyTextBox::mouseDown (const juce::MouseEvent& event)
{
    grabKeyboardFocus();
    setSelected (true);
    if (event.mods.isPopupMenu())
        showMenu();
}

bool ReadOnlyTextBox::keyPressed (const juce::KeyPress& key)
{
    const auto command = juce::ModifierKeys::commandModifier;
    if (key == juce::KeyPress ('c', command, 0) || key == juce::KeyPress (juce::KeyPress::insertKey, command, 0))
    {
        copy();
        return true;
    }
    if (key == juce::KeyPress ('a', command, 0))
    {
        setSelected (true);
        return true;
    }
    // Everything else, undo among it, is the window's.
    return false;
}

void ReadOnlyTextBox::focusLost (FocusChangeType) { setSelected (false); }

void ReadOnlyTextBox::setSelected (bool shouldBeSelected)
{
    if (selected == shouldBeSelected)
        return;
    selected = shouldBeSelected;
    repaint();
}

void ReadOnlyTextBox::showMenu()
{
    juce::PopupMenu menu;
    menu.addItem ("Copy", text.isNotEmpty(), false,
                  [safeThis = juce::Component::SafePointer<ReadOnlyTextBox> (this)]
                  {
                      if (safeThis != nullptr)
                          safeThis->copy();
                  });
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (this));
}

std::unique_ptr<juce::AccessibilityHandler> ReadOnlyTextBox::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (*this, juce::AccessibilityRole::staticText, juce::AccessibilityActions(),
                                                         juce::AccessibilityHandler::Interfaces { std::make_unique<TextValue> (*this) });
}
