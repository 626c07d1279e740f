#include "protocol/OrvaneMidiMessage49.h"
#include "support/Midi.h"
#include "support/PanelRig.h"
#include "support/ScriptedDevice.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace
{
const juce::String keyboardProblem = "Keyboard Problem";

// What the keyboard was asked, as (operation, parameter, item) of each SysEx message.
std::vector<std::tuple<int, int, int>> requestsIn (const std::vector<juce::MidiMessage>& received)
{
    std::vector<std::tuple<int, int, int>> requests;
    for (const auto& m : received)
        if (OrvaneMidiMessage49 (m).isOwnSysEx())
            requests.emplace_back (m.getSysExData()[5], OrvaneMidiMessage49 (m).getParameter(), OrvaneMidiMessage49 (m).getItem());
    return requests;
}
} // namespace

class PanelReadBack : public PanelRig
{
protected:
    SimulatedKeyboard keyboard { ports };
};

TEST_F (PanelReadBack, AfterDetectionEverySettingIsReadFromTheKeyboard)
{
    ports.addOutput ("Synth");
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    flushMessageLoop();

    // The whole chain, one request per reply, then the LEDs off.
    std::vector<std::tuple<int, int, int>> expected { { 1, 3, 0 },    { 1, 1, 0 },    { 1, 2, 0 },    { 1, 4, 0 },
                                                      { 1, 5, 0 },    { 1, 6, 0 },    { 1, 0x40, 6 }, { 1, 0x40, 2 },
                                                      { 1, 0x41, 4 }, { 1, 0x41, 3 }, { 1, 0x41, 1 }, { 1, 0x40, 3 } };
    for (int led = 99; led < 107; ++led)
        expected.emplace_back (2, 0, led);
    EXPECT_EQ (requestsIn (keyboard.getReceivedMessages()), expected);

    // The cache holds the keyboard's settings, not the editor's defaults.
    const auto working = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
    for (const auto& [id, setting] : working.controls)
    {
        if (! manager().isKnownItem (id))
            continue;
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (manager().getItemParam (p, id), setting[(size_t) p]) << "parameter " << p << " of " << id;
    }
    EXPECT_EQ (manager().getGlobal (6), working.globals[6]);
    EXPECT_EQ (manager().getGlobal (2), working.globals[2]);

    // The global widgets and the firmware revision show the keyboard's values.
    const auto& w = widgets();
    EXPECT_EQ (w.globalChannelCombo->getText(), "3");
    EXPECT_EQ (w.knobAccelCombo->getText(), "Medium");
    EXPECT_EQ (w.velCurveCombo->getText(), "Exponential");
    EXPECT_EQ (w.padCurveCombo->getText(), "Logarithmic");
    EXPECT_EQ (w.firmwareRevisionBox->getText(), "1.0.3.0");
    EXPECT_TRUE (dialogs.getShown().empty());

    // The detection tick after the identification closes the inputs.
    EXPECT_GT (ports.getNumOpenInputs(), 0);
    tick();
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    EXPECT_FALSE (manager().isProbing());
}

TEST_F (PanelReadBack, APickAfterTheReadBackShowsTheKeyboardsAssignment)
{
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));

    pick ("0x30");
    EXPECT_EQ (widgets().ccNumberCombo->getText(), "10 - Pan");
    pick ("0x70");
    pick ("0x33"); // the keyboard's knob 9 is a relative encoder, mode 2
    EXPECT_EQ (widgets().modeCombo->getText(), "Rel. Control");
    EXPECT_EQ (manager().getItemParam (1, 0x33), 2) << "showing a control never writes its mode back";
}

TEST_F (PanelReadBack, ASecondDetectionReadsEverythingAgain)
{
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick();

    keyboard.change ([] (KeyboardModel& k) { k.working.controls[0x30][3] = 21; });
    manager().startDetection();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().getNumber (0x30) == 21 && ! panel->isReadingBack(); }));

    const auto requests = requestsIn (keyboard.getReceivedMessages());
    EXPECT_EQ (std::count (requests.begin(), requests.end(), std::make_tuple (1, 3, 0)), 2);
}

//==============================================================================
using PanelWithoutKeyboard = PanelRig;

TEST_F (PanelWithoutKeyboard, TheUserIsToldOnceWhenNoKeyboardAnswers)
{
    ports.addOutput ("Synth");
    ports.addOutput ("Drum Machine");
    createPanel();
    for (int i = 0; i < 4; ++i)
        tick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.countTitled (keyboardProblem), 1);
    // What the editor does next, and where to try it without a keyboard: there is no "try again" to press.
    const auto text = dialogs.getShown().front().text;
    EXPECT_TRUE (text.startsWith ("The keyboard has not been detected. Please correct the problem and try again.")) << text;
    EXPECT_TRUE (text.contains ("finds the keyboard by itself as soon as it is plugged in")) << text;
    EXPECT_TRUE (text.contains ("vorlo-control-center-demo")) << text;
    EXPECT_EQ (dialogs.getShown().front().icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_TRUE (manager().isDetectionFinished());
    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "Not detected yet");
}

TEST_F (PanelWithoutKeyboard, NoMidiPortAtAllIsNoKeyboardEither)
{
    createPanel();
    flushMessageLoop();
    EXPECT_EQ (dialogs.countTitled (keyboardProblem), 1);
}
