#include "firmware/UpdaterRunner.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/Midi.h"
#include "support/PanelRig.h"
#include "support/ScriptedDevice.h"

#include <gmock/gmock.h>

#include <thread>

namespace
{
const juce::String keyboardProblem = "Keyboard Problem";
const juce::String keyboardConnected = "Keyboard Connected";
const juce::String disconnectedText =
    "The keyboard has been disconnected, so it can't be set. Plug it back in: the editor finds it again by itself.";
constexpr int keepTheEditorsValues = 0, readTheKeyboard = 1;

int controllerNumberRequests (const std::vector<juce::MidiMessage>& received)
{
    const auto request = OrvaneMidiMessage49::createControllerNumberRequest (0);
    return (int) std::count_if (received.begin(), received.end(), [&] (const auto& m) { return sameBytes (m, request); });
}
} // namespace

// The editor against the simulated keyboard while it is plugged in, pulled
// out and plugged back; the port poll is driven by poll().
class PanelFollowsTheKeyboard : public PanelRig
{
protected:
    void poll()
    {
        panel->getFollower().poll();
        flushMessageLoop();
    }

    void readKeyboard()
    {
        createPanel();
        ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
        tick(); // the search is over
        poll();
        ASSERT_EQ (panel->getFollower().getState(), KeyboardFollower::State::connected);
    }

    // Plugs the keyboard back in and lets the poll find it. Without another
    // device it is the only output, so the first probe reaches it.
    void plugBackIn()
    {
        // A failed send is seen at one poll and the keyboard's ports at the
        // next, or once the detection that found it first has ended.
        keyboard.plugIn();
        ASSERT_TRUE (runMessageLoopUntil (
            [this]
            {
                auto& follower = panel->getFollower();
                follower.poll();
                return follower.isSearchingAgain();
            },
            4000));
        ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().isKeyboardDetected(); }));
    }

    // The read-back after the second detection is over.
    bool secondReadBackFinished() const
    {
        return controllerNumberRequests (keyboard.getReceivedMessages()) == 2 && readBackFinished (keyboard);
    }

    void editKnob1Number (int number)
    {
        pick ("0x30");
        choose (*widgets().ccNumberCombo, number);
        ASSERT_TRUE (manager().getCache().hasUnkeptEdits());
    }

    bool storedInMemory (int memory) const
    {
        return keyboard.inspect ([=] (const KeyboardModel& k) { return k.memories[(size_t) memory].has_value(); });
    }

    SimulatedKeyboard keyboard { ports };
};

TEST_F (PanelFollowsTheKeyboard, StartedWithoutTheKeyboardItFindsItWhenPluggedInAndReadsItBack)
{
    keyboard.unplug();
    ports.addOutput ("Synth");
    createPanel();
    tick();
    tick();
    flushMessageLoop();
    ASSERT_EQ (dialogs.countTitled (keyboardProblem), 1);

    keyboard.plugIn();
    poll();
    ASSERT_TRUE (ports.waitUntilIdle());
    tick(); // the keyboard is probed after the synth
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick();
    poll();

    EXPECT_EQ (panel->getFollower().getState(), KeyboardFollower::State::connected);
    EXPECT_EQ (manager().getNumber (0x30), 10) << "the keyboard's own number, read back";
    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "1.0.3.0");
    EXPECT_EQ (dialogs.getShown().size(), 1u) << "no second alert";
}

TEST_F (PanelFollowsTheKeyboard, UnpluggedItShowsDisconnectedAndSendAndPadsSaySo)
{
    readKeyboard();
    keyboard.unplug();
    for (int i = 0; i < 3; ++i)
        poll();

    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "Disconnected");
    EXPECT_TRUE (dialogs.getShown().empty()) << "the box says it; no alert";

    widgets().sendButton->triggerClick();
    flushMessageLoop();
    widgets().padsButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), 2u);
    for (const auto& shown : dialogs.getShown())
    {
        EXPECT_EQ (shown.title, keyboardProblem);
        EXPECT_EQ (shown.text, disconnectedText);
    }
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
}

TEST_F (PanelFollowsTheKeyboard, PluggedBackWithoutEditsItReadsBackSilently)
{
    readKeyboard();
    keyboard.unplug();
    poll();
    keyboard.change ([] (KeyboardModel& k) { k.working.controls[0x30][3] = 21; });

    plugBackIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return secondReadBackFinished(); }));
    flushMessageLoop();

    EXPECT_EQ (manager().getNumber (0x30), 21);
    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "1.0.3.0");
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PanelFollowsTheKeyboard, PluggedBackWithUnsentEditsItAsksAndKeepingLeavesTheEditsToSend)
{
    readKeyboard();
    editKnob1Number (11);
    keyboard.unplug();
    poll();

    dialogs.answerChoice (keepTheEditorsValues);
    plugBackIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return dialogs.countTitled (keyboardConnected) == 1; }));
    ASSERT_TRUE (ports.waitUntilIdle());
    flushMessageLoop();

    EXPECT_EQ (controllerNumberRequests (keyboard.getReceivedMessages()), 1) << "only the first read-back";
    EXPECT_EQ (manager().getNumber (0x30), 11);
    EXPECT_TRUE (manager().getCache().hasUnkeptEdits());
    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "1.0.3.0");

    tick();
    widgets().sendButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[1]->controls.at (0x30)[3]; }), 11);
    EXPECT_EQ (dialogs.getShown().size(), 1u);
}

TEST_F (PanelFollowsTheKeyboard, PluggedBackWithUnsentEditsItAsksAndReadingDropsTheEdits)
{
    readKeyboard();
    editKnob1Number (11);
    keyboard.unplug();
    poll();

    dialogs.answerChoice (readTheKeyboard);
    plugBackIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return dialogs.countTitled (keyboardConnected) == 1; }));
    ASSERT_TRUE (runMessageLoopUntil (
        [this] { return controllerNumberRequests (keyboard.getReceivedMessages()) == 2 && readBackFinished (keyboard); }));
    flushMessageLoop();

    EXPECT_EQ (manager().getNumber (0x30), 10);
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits());
    EXPECT_EQ (widgets().ccNumberCombo->getText(), "10 - Pan");
}

TEST_F (PanelFollowsTheKeyboard, EachReplugWithUnsentEditsAsksOnceAndReadingLeavesNothingToAskAbout)
{
    readKeyboard();
    editKnob1Number (11);

    // First the edits are kept, then the keyboard is read over them.
    for (const int answer : { keepTheEditorsValues, readTheKeyboard })
    {
        SCOPED_TRACE (answer);
        keyboard.unplug();
        poll();
        dialogs.forgetShown();
        dialogs.answerChoice (answer);
        plugBackIn();
        ASSERT_TRUE (runMessageLoopUntil ([this] { return dialogs.countTitled (keyboardConnected) == 1; }));
        ASSERT_TRUE (ports.waitUntilIdle());
        flushMessageLoop();
        for (int i = 0; i < 3; ++i)
        {
            tick();
            poll();
        }
        EXPECT_EQ (dialogs.getShown().size(), 1u) << "one question, and nothing after it";
    }

    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    EXPECT_EQ (manager().getNumber (0x30), 10);
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits());
}

TEST_F (PanelFollowsTheKeyboard, DetectionsBeforeTheQuestionComesUpShareOneQuestion)
{
    readKeyboard();
    editKnob1Number (11);

    // Two detections land before the message loop shows the question.
    panel->keyboardEvent (eventDetected, 0, 0, 0);
    panel->keyboardEvent (eventDetected, 0, 0, 0);
    dialogs.answerChoice (keepTheEditorsValues);
    flushMessageLoop();

    EXPECT_EQ (dialogs.countTitled (keyboardConnected), 1);
    EXPECT_TRUE (manager().getCache().hasUnkeptEdits());
}

// The first search ending without a keyboard is told, but never over
// another of the editor's dialogs, where a click meant for that one would
// hit the alert: it waits until they are closed.
TEST_F (PanelFollowsTheKeyboard, TheNotFoundAlertNeverComesUpOverAnotherDialog)
{
    keyboard.unplug();
    ports.addOutput ("Synth");
    createPanel();

    // The search ends while the user is choosing a firmware file.
    dialogs.whileOpen (
        [this] (const ScriptedDialogs::Shown& shown)
        {
            if (shown.title == UpdaterRunner::fileChooserTitle)
            {
                tick();
                tick();
                flushMessageLoop();
            }
        });
    dialogs.answerFile (std::nullopt);
    widgets().firmwareButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.countTitled (keyboardProblem), 1);
    EXPECT_EQ (dialogs.getShown().back().title, keyboardProblem) << "after the chooser closed";
    for (const auto& shown : dialogs.getShown())
        EXPECT_TRUE (shown.over.isEmpty()) << shown.title << " came up over " << shown.over;
}

TEST_F (PanelFollowsTheKeyboard, AKeyboardThatFallsSilentDuringTheReadBackIsReportedOnceAndNoLongerListenedTo)
{
    keyboard.unplug();
    ScriptedDevice identityOnly (ports, "Velmora Vorlo",
                                 midiBytes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 1, 0, 3, 0, 0xF7 }));
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().isKeyboardDetected(); }));
    ASSERT_TRUE (ports.waitUntilIdle());

    tick(); // the end of detection leaves the inputs to the read-back
    EXPECT_GT (ports.getNumOpenInputs(), 0);
    // The unanswered request goes twice more, a step time apart, before the
    // keyboard is given up on.
    poll();
    for (int resend = 0; resend < ReadBackChain::maxResends; ++resend)
    {
        EXPECT_EQ (dialogs.countTitled (keyboardProblem), 0);
        clock.advance (ReadBackChain::stepTimeoutMs);
        poll();
    }
    std::vector<juce::MidiMessage> sent;
    for (const auto& s : ports.getSentMessages (identityOnly.output))
        sent.push_back (s.message);
    EXPECT_EQ (controllerNumberRequests (sent), 1 + ReadBackChain::maxResends);
    poll();

    ASSERT_EQ (dialogs.countTitled (keyboardProblem), 1);
    EXPECT_TRUE (dialogs.getShown().front().text.startsWith ("Reading the keyboard's settings did not finish"));
    EXPECT_FALSE (panel->isReadingBack());
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    EXPECT_TRUE (manager().getCache().isAssumed (3, 0x30)) << "what was not read shows as not read";
}

//==============================================================================
// With the system's clock: real pacing, a real detection tick.
class PanelFollowsTheKeyboardInRealTime : public PanelFollowsTheKeyboard
{
protected:
    KbdSettingComponentVorlo& createPanelOnTheSystemClock()
    {
        panel = std::make_unique<KbdSettingComponentVorlo> (KbdSettingComponentVorlo::Services { ports, dialogs, Clock::system() });
        return *panel;
    }
};

TEST_F (PanelFollowsTheKeyboardInRealTime, AReadBackSlowerThanTheDetectionTickStillCompletes)
{
    keyboard.setReplyLatencyMs (300.0);
    createPanelOnTheSystemClock();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }, 8000));
    ASSERT_TRUE (runMessageLoopUntil ([this] { return ports.getNumOpenInputs() == 0; }));

    EXPECT_FALSE (manager().isProbing());
    EXPECT_TRUE (dialogs.getShown().empty());
    EXPECT_EQ (manager().getNumber (0x30), 10);
    EXPECT_FALSE (manager().getCache().isAssumed (6, 0x50)) << "the last of the controls' values was read";
    EXPECT_EQ (widgets().padCurveCombo->getText(), "Logarithmic");
}

TEST_F (PanelFollowsTheKeyboardInRealTime, UnpluggingDuringSendTellsTheUserNothingWasStoredAndAfterReplugSendWorks)
{
    createPanelOnTheSystemClock();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    const auto receivedBefore = keyboard.getReceivedMessages().size();

    std::thread cablePuller (
        [&]
        {
            const auto deadline = juce::Time::getMillisecondCounter() + 5000;
            while (keyboard.getReceivedMessages().size() < receivedBefore + 74 && juce::Time::getMillisecondCounter() < deadline)
                std::this_thread::sleep_for (std::chrono::microseconds (200));
            keyboard.unplug();
        });
    widgets().sendButton->triggerClick();
    flushMessageLoop();
    cablePuller.join();

    ASSERT_EQ (dialogs.countTitled (keyboardProblem), 1);
    EXPECT_TRUE (dialogs.getShown().back().text.contains ("memory 1 was not stored")) << dialogs.getShown().back().text;
    EXPECT_FALSE (storedInMemory (1));

    dialogs.forgetShown();
    plugBackIn();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return secondReadBackFinished(); }));
    widgets().sendButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    EXPECT_TRUE (storedInMemory (1));
    EXPECT_TRUE (dialogs.getShown().empty());
}
