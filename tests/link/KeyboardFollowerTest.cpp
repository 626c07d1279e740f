#include "link/KeyboardFollower.h"
#include "sim/SimulatedKeyboard.h"
#include "support/DetectionRig.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using State = KeyboardFollower::State;

namespace
{
class RecordingFollowerListener : public KeyboardFollower::Listener
{
public:
    void keyboardStateChanged (State state) override { changes.push_back (state); }
    void keyboardPolled() override { ++polls; }

    std::vector<State> changes;
    int polls = 0;
};

int countIdentityRequests (const std::vector<VirtualMidiPorts::SentMessage>& sent)
{
    const auto request = midiBytes ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 });
    return (int) std::count_if (sent.begin(), sent.end(), [&] (const auto& s) { return sameBytes (s.message, request); });
}
} // namespace

// A manager on virtual ports with a follower polled by hand, and a simulated
// keyboard that starts unplugged.
class FollowingTheKeyboard : public DetectionRig
{
protected:
    void SetUp() override
    {
        DetectionRig::SetUp();
        keyboard.unplug();
        synthOutput = ports.addOutput ("Synth");
    }

    void TearDown() override
    {
        follower.reset();
        DetectionRig::TearDown();
    }

    void start()
    {
        createManager().startDetection();
        follower = std::make_unique<KeyboardFollower> (*manager, ports);
        follower->setListener (&followerListener);
        follower->startFollowing();
    }

    // Detection ticks until the search is over, each after the replies in
    // flight arrived. The keyboard comes after the synth, so it is found at
    // the second tick, and the third ends the search.
    void runSearchToItsEnd()
    {
        for (int i = 0; i < 20 && manager->isProbing(); ++i)
        {
            settle();
            tick();
        }
        settle();
    }

    void poll() { follower->poll(); }

    SimulatedKeyboard keyboard { ports };
    VirtualMidiPorts::PortId synthOutput = -1;
    RecordingFollowerListener followerListener;
    std::unique_ptr<KeyboardFollower> follower;
};

TEST_F (FollowingTheKeyboard, AnUnchangedPortListStartsNothingAndRaisesNothing)
{
    start();
    runSearchToItsEnd();
    poll();
    ASSERT_EQ (follower->getState(), State::notFound);
    followerListener.changes.clear();
    listener.clear();
    const int probesBefore = countIdentityRequests (ports.getSentMessages (synthOutput));

    for (int i = 0; i < 10; ++i)
        poll();

    EXPECT_TRUE (followerListener.changes.empty());
    EXPECT_TRUE (listener.getEvents().empty());
    EXPECT_FALSE (manager->isProbing());
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (synthOutput)), probesBefore);
    EXPECT_GE (followerListener.polls, 10);
}

TEST_F (FollowingTheKeyboard, AKeyboardPluggedInAfterTheSearchEndedIsFound)
{
    start();
    runSearchToItsEnd();
    poll();
    EXPECT_EQ (listener.count (eventDetectionEnded), 1);

    keyboard.plugIn();
    poll();
    EXPECT_EQ (follower->getState(), State::searching);
    EXPECT_TRUE (follower->isSearchingAgain());
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();

    EXPECT_EQ (follower->getState(), State::connected);
    EXPECT_EQ (manager->getOutputPortName(), "Velmora Vorlo");
    EXPECT_TRUE (manager->sendLedState (99, 0));
    EXPECT_THAT (followerListener.changes, ElementsAre (State::notFound, State::searching, State::connected));
}

TEST_F (FollowingTheKeyboard, AKeyboardPluggedInWhileTheSearchRanPastItsPortIsSearchedForAgain)
{
    start();
    keyboard.plugIn(); // after the outputs to probe were counted
    poll();
    runSearchToItsEnd();
    EXPECT_FALSE (manager->isKeyboardDetected());

    poll();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();
    EXPECT_EQ (follower->getState(), State::connected);
}

TEST_F (FollowingTheKeyboard, UnpluggingIsOneChangeAndSendingIntoNothingFails)
{
    keyboard.plugIn();
    start();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();
    ASSERT_EQ (follower->getState(), State::connected);
    followerListener.changes.clear();

    keyboard.unplug();
    for (int i = 0; i < 5; ++i)
        poll();

    EXPECT_THAT (followerListener.changes, ElementsAre (State::disconnected));
    EXPECT_TRUE (manager->isKeyboardUnplugged());
    EXPECT_TRUE (manager->isKeyboardDetected()) << "the editor still knows which keyboard it was";
    EXPECT_FALSE (manager->sendLedState (99, 0));
    EXPECT_FALSE (manager->isProbing()) << "nothing new to search";
}

TEST_F (FollowingTheKeyboard, PluggedBackInTheKeyboardIsDetectedAgainOnItsNewPorts)
{
    keyboard.plugIn();
    start();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();
    keyboard.unplug();
    poll();
    listener.clear();

    keyboard.plugIn();
    poll();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();

    EXPECT_EQ (follower->getState(), State::connected);
    EXPECT_FALSE (manager->isKeyboardUnplugged());
    EXPECT_TRUE (manager->sendLedState (100, 0));
    settle();
    EXPECT_TRUE (sameBytes (keyboard.getReceivedMessages().back(), OrvaneMidiMessage49::createLedStateSet (100, 0)));
}

TEST_F (FollowingTheKeyboard, AKeyboardWhoseOutputStoppedTakingMessagesIsSearchedForAgain)
{
    // Pulled and plugged back between two polls: the names are the same, but
    // the port the editor holds is dead.
    keyboard.plugIn();
    start();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();
    keyboard.unplug();
    keyboard.plugIn();
    listener.clear();

    EXPECT_FALSE (manager->sendLedState (99, 0));
    poll();
    EXPECT_EQ (follower->getState(), State::disconnected);
    poll();
    runSearchToItsEnd();
    ASSERT_TRUE (manager->isKeyboardDetected());
    poll();

    EXPECT_EQ (follower->getState(), State::connected);
    EXPECT_TRUE (manager->sendLedState (99, 0));
}

TEST_F (FollowingTheKeyboard, AnotherDeviceAppearingIsSearchedOnceAndFoundToBeNoKeyboard)
{
    start();
    runSearchToItsEnd();
    poll();

    const auto drums = ports.addOutput ("Drum Machine");
    poll();
    runSearchToItsEnd();
    for (int i = 0; i < 5; ++i)
        poll();

    EXPECT_EQ (follower->getState(), State::notFound);
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (drums)), 2) << "one search, two passes";
    EXPECT_EQ (listener.count (eventDetected), 0);
}

TEST_F (FollowingTheKeyboard, DuringAFirmwareTransferTheKeyboardTurningIntoItsBootLoaderIsNotUnplugging)
{
    struct Updater : MidiInputPortCallback
    {
        void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage&) override {}
    } updater;

    keyboard.plugIn();
    start();
    runSearchToItsEnd();
    poll();
    ASSERT_EQ (follower->getState(), State::connected);

    keyboard.unplug();
    ports.addInput ("Velmora VORLO");
    const auto bootOut = ports.addOutput ("Velmora VORLO");
    ASSERT_TRUE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    for (int i = 0; i < 3; ++i)
        poll();

    EXPECT_EQ (follower->getState(), State::connected);
    EXPECT_FALSE (manager->isKeyboardUnplugged());
    manager->sendMessage (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 4));
    EXPECT_EQ (ports.getSentMessages (bootOut).size(), 1u) << "the transfer keeps its output";
    manager->attachFirmwareCallback (nullptr, {});
}
