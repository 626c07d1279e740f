#include "pickers/OM32CtrlPickerComponent.h"
#include "pickers/OR25CtrlPickerComponent.h"
#include "pickers/OV49CtrlPickerComponent.h"
#include "pickers/PickerTesting.h"
#include "pickers/Vorlo25CtrlPickerComponent.h"
#include "support/MessageLoop.h"

#include <gmock/gmock.h>

#include <functional>
#include <set>

using ::testing::ElementsAreArray;

namespace
{
using PickerFactory = std::function<std::unique_ptr<OxCtrlPickerComponent>()>;

template <typename Picker>
PickerFactory factoryOf()
{
    return [] { return std::make_unique<Picker>(); };
}

// One click and what it announces; nothing for a click that should announce
// nothing.
struct Click
{
    const char* tooltip;
    const char* announces;
};

struct ClickCase
{
    const char* name;
    PickerFactory createPicker;
    std::vector<Click> clicks;
};

std::ostream& operator<< (std::ostream& out, const ClickCase& c) { return out << c.name; }

// The OM32's and the OR25's Shift widget.
constexpr auto shift = "Activate Shift Mode";

const ClickCase clickCases[] {
    { "OM32PresetMinusAnnouncesItsShiftedIdentifierUnderShift",
      factoryOf<OM32CtrlPickerComponent>(),
      { { "Preset - Button Setting", "0x10" }, { shift, "0x20" }, { "Preset + Button Setting", "0x21" } } },
    { "OM32ShiftReannouncesTheSelectedSnapshotBothWays",
      factoryOf<OM32CtrlPickerComponent>(),
      { { "Snapshot #3 Button Setting", "0x14" }, { shift, "0x24" }, { shift, "0x14" } } },
    { "OM32ShiftWithNothingSelectedAnnouncesNothingAndSingleIdentifiersIgnoreIt",
      factoryOf<OM32CtrlPickerComponent>(),
      { { shift, nullptr },
        { "Sustain Pedal Setting", "0x50" },
        { "Delay Mix Knob Setting", "0x0A" },
        { "Snapshot #8 Button Setting", "0x29" } } },
    { "OR25PairedKnobsAnnounceKnobsWithoutShift",
      factoryOf<OR25CtrlPickerComponent>(),
      { { "Cutoff Knob Setting/Attack", "0x01" },
        { "Reso Knob Setting/Decay", "0x02" },
        { "Chorus Mix Knob Setting/Sustain", "0x09" },
        { "Delay Mix Knob Setting/Release", "0x0A" } } },
    { "OR25PairedKnobsAnnounceTheEnvelopeWithShift",
      factoryOf<OR25CtrlPickerComponent>(),
      { { "Delay Mix Knob Setting/Release", "0x0A" },
        { shift, "0x0E" },
        { "Cutoff Knob Setting/Attack", "0x0B" },
        { "Reso Knob Setting/Decay", "0x0C" },
        { "Chorus Mix Knob Setting/Sustain", "0x0D" },
        { "Joystick Down - Extra Wheel Setting", "0x42" },
        { "Snapshot #4 Button Setting", "0x25" } } },
    { "OV49AnnouncesTheWholeTextWithoutAnyShift",
      factoryOf<OV49CtrlPickerComponent>(),
      { { "Breath Control Setting", "0x52" },
        { "Upper Panel Button Setting", "0x1D" },
        { "Pad #4 Setting", "0x73" },
        { "Tempo Slider", "0x4F" },
        { "Tempo Slider", "0x4F" } } },
};

class OrvanePickerClicks : public ::testing::TestWithParam<ClickCase>
{
};
} // namespace

TEST_P (OrvanePickerClicks, AnnounceAsTheShiftStateSays)
{
    const auto& clickCase = GetParam();
    auto picker = clickCase.createPicker();
    AnnouncementRecorder recorder;
    picker->addActionListener (&recorder);

    std::vector<std::string> expected;
    for (const auto& click : clickCase.clicks)
    {
        findWidget (*picker, click.tooltip).triggerClick();

        if (click.announces == nullptr)
        {
            runMessageLoopFor (50);
        }
        else
        {
            expected.push_back (click.announces);
            runMessageLoopUntil ([&] { return recorder.announced.size() >= expected.size(); });
        }

        ASSERT_THAT (recorder.announced, ElementsAreArray (expected)) << "after clicking " << click.tooltip;
    }

    // The last control clicked is the one selected, whatever Shift did since.
    const juce::String lastControl =
        std::find_if (clickCase.clicks.rbegin(), clickCase.clicks.rend(), [] (const Click& c) { return juce::String (c.tooltip) != shift; })
            ->tooltip;
    int selected = 0;
    for (auto* child : picker->getChildren())
    {
        auto* widget = static_cast<juce::Button*> (child);
        if (widget->getButtonText() != "Shift")
            selected += widget->getToggleState() ? 1 : 0;
    }
    EXPECT_EQ (selected, 1);
    EXPECT_TRUE (findWidget (*picker, lastControl).getToggleState());
}

INSTANTIATE_TEST_SUITE_P (ClickAndShiftCases, OrvanePickerClicks, ::testing::ValuesIn (clickCases),
                          [] (const auto& testCase) { return std::string (testCase.param.name); });

TEST (OV49Picker, EveryWidgetAnnouncesItsOwnIdentifierText)
{
    OV49CtrlPickerComponent picker;
    AnnouncementRecorder recorder;
    picker.addActionListener (&recorder);

    std::vector<std::string> texts;
    for (auto* child : picker.getChildren())
    {
        auto* widget = static_cast<juce::Button*> (child);
        texts.push_back (widget->getButtonText().toStdString());
        widget->triggerClick();
    }
    ASSERT_EQ (texts.size(), 53u);
    runMessageLoopUntil ([&] { return recorder.announced.size() >= texts.size(); });

    EXPECT_THAT (recorder.announced, ElementsAreArray (texts));
}

namespace
{
// A model's identifiers are those of its widgets (both of a pair), less the
// controls that keep no assignment, plus controls the picture has no widget for.
struct CtrlIdCase
{
    const char* name;
    PickerFactory createPicker;
    size_t count;
    std::set<int> withoutWidget;
    std::set<int> withoutAssignment;
};

std::ostream& operator<< (std::ostream& out, const CtrlIdCase& c) { return out << c.name; }

const CtrlIdCase ctrlIdCases[] {
    { "Vorlo25", factoryOf<Vorlo25CtrlPickerComponent>(), 35, {}, { 0x20, 0x21 } },
    { "OM32", factoryOf<OM32CtrlPickerComponent>(), 38, { 0x31, 0x32 }, { 0x10, 0x11 } },
    { "OR25", factoryOf<OR25CtrlPickerComponent>(), 24, { 0x31, 0x32 }, { 0x10, 0x11 } },
    { "OV49", factoryOf<OV49CtrlPickerComponent>(), 45, { 0x20, 0x21 }, { 0x1C, 0x1D, 0x1E, 0x1F, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D } },
};

class PickerCtrlIds : public ::testing::TestWithParam<CtrlIdCase>
{
};
} // namespace

TEST_P (PickerCtrlIds, AreTheWidgetsIdentifiersWithTheModelsOddities)
{
    const auto& idCase = GetParam();
    auto picker = idCase.createPicker();

    std::set<int> expected = idCase.withoutWidget;
    for (auto* child : picker->getChildren())
    {
        const auto text = static_cast<juce::Button*> (child)->getButtonText();
        if (text == "Shift")
            continue;

        for (const auto& identifier : juce::StringArray::fromTokens (text, "-", ""))
            if (idCase.withoutAssignment.count (identifier.getHexValue32()) == 0)
                expected.insert (identifier.getHexValue32());
    }

    const auto ids = picker->getCtrlIds();
    EXPECT_EQ ((size_t) ids.size(), idCase.count);
    EXPECT_EQ (std::set<int> (ids.begin(), ids.end()), expected);
}

INSTANTIATE_TEST_SUITE_P (EveryModel, PickerCtrlIds, ::testing::ValuesIn (ctrlIdCases),
                          [] (const auto& testCase) { return std::string (testCase.param.name); });

namespace
{
struct PictureCase
{
    const char* name;
    std::function<juce::Image()> loadPicture;
    PickerFactory createPicker;
    int width, height;
    juce::Rectangle<int> blankCasing; // a spot of bare casing, to tell casing from controls
};

std::ostream& operator<< (std::ostream& out, const PictureCase& c) { return out << c.name; }

const PictureCase pictureCases[] {
    { "OM32", [] { return OM32CtrlPickerComponent::loadPicture(); }, factoryOf<OM32CtrlPickerComponent>(), 645, 134, { 163, 48, 16, 12 } },
    { "OR25", [] { return OR25CtrlPickerComponent::loadPicture(); }, factoryOf<OR25CtrlPickerComponent>(), 645, 134, { 98, 45, 30, 20 } },
    { "OV49", [] { return OV49CtrlPickerComponent::loadPicture(); }, factoryOf<OV49CtrlPickerComponent>(), 1063, 317, { 88, 66, 40, 8 } },
};

class OrvanePicture : public ::testing::TestWithParam<PictureCase>
{
};
} // namespace

TEST_P (OrvanePicture, DecodesAtThePickersSize)
{
    const auto& pictureCase = GetParam();
    const auto picture = pictureCase.loadPicture();
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getWidth(), pictureCase.width);
    EXPECT_EQ (picture.getHeight(), pictureCase.height);
    EXPECT_EQ (pictureCase.createPicker()->getBounds(), juce::Rectangle<int> (pictureCase.width, pictureCase.height));
}

TEST_P (OrvanePicture, EveryWidgetLiesOverAControl)
{
    const auto& pictureCase = GetParam();
    const auto picture = pictureCase.loadPicture();
    auto picker = pictureCase.createPicker();
    const auto casing = picture.getPixelAt (pictureCase.blankCasing.getCentreX(), pictureCase.blankCasing.getCentreY());
    const auto blank = { casing, juce::Colours::white, juce::Colours::transparentBlack };

    // The measure itself sees blank casing as blank.
    ASSERT_LT (shareUnlike (picture, pictureCase.blankCasing, blank), 0.05f);

    // The middle half of each widget lies on its control, whatever the
    // control's shape; a widget off its control shows casing or white there.
    for (auto* widget : picker->getChildren())
    {
        const auto bounds = widget->getBounds();
        const auto middle = bounds.withSizeKeepingCentre (bounds.getWidth() / 2, bounds.getHeight() / 2);
        EXPECT_GT (shareUnlike (picture, middle, blank), 0.8f)
            << static_cast<juce::Button*> (widget)->getTooltip() << " at " << bounds.toString();
    }
}

INSTANTIATE_TEST_SUITE_P (EveryOrvaneModel, OrvanePicture, ::testing::ValuesIn (pictureCases),
                          [] (const auto& testCase) { return std::string (testCase.param.name); });
