#include "firmware/UpdaterRunner.h"
#include "sim/SimulatedBootLoader.h"
#include "sim/SimulatedKeyboard.h"
#include "support/ScriptedDialogs.h"
#include "support/SettlingClock.h"

#include <gmock/gmock.h>

using Outcome = UpdaterRunner::Outcome;

namespace
{
std::vector<juce::uint8> patternOfSize (int size)
{
    std::vector<juce::uint8> bytes ((size_t) size);
    for (int i = 0; i < size; ++i)
        bytes[(size_t) i] = (juce::uint8) ((i * 13 + 5) & 0xFF);
    return bytes;
}

bool isIdentityRequest (const juce::MidiMessage& m) { return m.isSysEx() && m.getSysExDataSize() == 4 && m.getSysExData()[2] == 0x06; }
} // namespace

// A manager that knows the keyboard, as after detection, and the keyboard
// restarted in boot-loader mode beside it. Dialogs are scripted and the
// clock waits for every answer in flight before moving on.
class UpdaterRunnerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        OrvaneManager49::setMidiInputsAllowed (true);
        // A name of its own: tests run in parallel processes, and a shared
        // name let one test's tear-down delete another's firmware files.
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("vorlo-firmware-test-" + juce::Uuid().toString());
        ASSERT_TRUE (folder.createDirectory());
    }

    void TearDown() override
    {
        manager.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
        folder.deleteRecursively();
    }

    OrvaneManager49& connectKeyboard()
    {
        manager = std::make_unique<OrvaneManager49> (ports, clock);
        manager->setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
        return *manager;
    }

    juce::File writeFirmware (int size)
    {
        const auto file = folder.getChildFile ("VORLO_" + juce::String (size) + ".bin");
        const auto bytes = patternOfSize (size);
        if (size == 0)
            file.create();
        else
            file.replaceWithData (bytes.data(), bytes.size());
        return file;
    }

    // The user confirms the question; the update runs with this file.
    Outcome update (const juce::File& file)
    {
        dialogs.answerOk (true);
        return UpdaterRunner::runFirmwareUpdate (manager.get(), file, dialogs);
    }

    ScriptedDialogs::Shown lastShown() const
    {
        const auto shown = dialogs.getShown();
        return shown.empty() ? ScriptedDialogs::Shown {} : shown.back();
    }

    std::vector<juce::MidiMessage> sentToKeyboard() const
    {
        std::vector<juce::MidiMessage> messages;
        for (const auto& s : ports.getSentMessages (keyboard.getEditorOutput()))
            messages.push_back (s.message);
        return messages;
    }

    VirtualMidiPorts ports;
    SettlingClock clock { ports };
    SimulatedKeyboard keyboard { ports };
    SimulatedBootLoader bootLoader { ports };
    ScriptedDialogs dialogs;
    std::unique_ptr<OrvaneManager49> manager;
    juce::File folder;
};

TEST_F (UpdaterRunnerTest, ASuccessfulUpdateSaysSoAndLooksForTheKeyboardAgain)
{
    connectKeyboard();
    const auto file = writeFirmware (1536);

    EXPECT_EQ (update (file), Outcome::succeeded);

    auto expected = patternOfSize (1536);
    EXPECT_EQ (bootLoader.getReceivedImage(), expected);
    EXPECT_EQ (lastShown().title, UpdaterRunner::resultTitle);
    EXPECT_EQ (lastShown().text, UpdaterRunner::succeededText);
    EXPECT_EQ (lastShown().icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (dialogs.countTitled (UpdaterRunner::upgradeModeTitle), 1);
    EXPECT_EQ (dialogs.countTitled (UpdaterRunner::progressTitle), 1);

    // Detection starts again, and the keyboard hears its identity request.
    EXPECT_TRUE (manager->isProbing());
    ASSERT_TRUE (ports.waitUntilIdle());
    const auto received = keyboard.getReceivedMessages();
    EXPECT_TRUE (std::any_of (received.begin(), received.end(), isIdentityRequest));
}

TEST_F (UpdaterRunnerTest, CancelAtTheQuestionClosesTheInputsAndSendsNothing)
{
    connectKeyboard().openInputs();
    dialogs.answerOk (false);

    EXPECT_EQ (UpdaterRunner::runFirmwareUpdate (manager.get(), writeFirmware (600), dialogs), Outcome::abandoned);

    EXPECT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    EXPECT_TRUE (bootLoader.getReceivedMessages().empty());
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (UpdaterRunnerTest, TheSettingsPanelsEmptyFileOpensTheChooserFirstAndItsCancelEndsSilently)
{
    connectKeyboard();

    EXPECT_EQ (UpdaterRunner::runFirmwareUpdate (manager.get(), juce::File(), dialogs), Outcome::abandoned);

    ASSERT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (dialogs.getShown()[0].title, UpdaterRunner::fileChooserTitle);
    EXPECT_TRUE (bootLoader.getReceivedMessages().empty());
}

TEST_F (UpdaterRunnerTest, TheChosenFileIsBurned)
{
    connectKeyboard();
    dialogs.answerFile (writeFirmware (700));

    EXPECT_EQ (update (juce::File()), Outcome::succeeded);
    EXPECT_EQ (bootLoader.getNumBlocksReceived(), 2);
}

TEST_F (UpdaterRunnerTest, AnEmptyMissingOrOversizedFileIsRefusedBeforeTheQuestionWithNothingSent)
{
    connectKeyboard();
    const struct
    {
        juce::File file;
        const char* says;
    } cases[] = {
        { writeFirmware (0), "is empty" },
        { folder.getChildFile ("VORLO_gone.bin"), "can't be found" },
        { writeFirmware ((int) FirmwareImage::maxBytes + 1), "is too large" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.says);
        EXPECT_EQ (UpdaterRunner::runFirmwareUpdate (manager.get(), c.file, dialogs), Outcome::fileRefused);
        EXPECT_EQ (lastShown().title, UpdaterRunner::errorTitle);
        EXPECT_TRUE (lastShown().text.contains (c.says)) << lastShown().text;
    }

    EXPECT_EQ (dialogs.countTitled (UpdaterRunner::upgradeModeTitle), 0);
    EXPECT_TRUE (bootLoader.getReceivedMessages().empty());
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (UpdaterRunnerTest, AMissingBootLoaderNoLongerCutsTheEditorOffTheKeyboard)
{
    bootLoader.unplug();
    connectKeyboard();

    EXPECT_EQ (update (writeFirmware (600)), Outcome::bootLoaderNotFound);
    EXPECT_EQ (lastShown().title, UpdaterRunner::errorTitle);
    EXPECT_EQ (lastShown().text, UpdaterRunner::notFoundText);

    // Send still reaches the keyboard.
    EXPECT_TRUE (manager->isKeyboardDetected());
    EXPECT_TRUE (manager->sendAllToKeyboard (3).stored);
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[3].has_value(); }));
}

TEST_F (UpdaterRunnerTest, ABootLoaderPortThatWillNotOpenCountsAsNotFound)
{
    ports.setFailsToOpen (bootLoader.getEditorOutput(), true);
    connectKeyboard();

    EXPECT_EQ (update (writeFirmware (600)), Outcome::bootLoaderNotFound);
    EXPECT_EQ (lastShown().text, UpdaterRunner::notFoundText);
    EXPECT_TRUE (manager->sendAllToKeyboard (1).stored);
}

TEST_F (UpdaterRunnerTest, CancelDuringTheHandshakeSaysTheBurnWasCanceled)
{
    // A keyboard left in normal mode whose port name matches never answers.
    SimulatedBootLoader::Behaviour silent;
    silent.silentToSync = true;
    bootLoader.setBehaviour (silent);
    connectKeyboard();
    dialogs.cancelProgressWhen ([this] { return bootLoader.getNumSyncCommands() >= 3; });

    EXPECT_EQ (update (writeFirmware (600)), Outcome::canceled);
    EXPECT_EQ (lastShown().title, UpdaterRunner::errorTitle);
    EXPECT_EQ (lastShown().text, UpdaterRunner::canceledText);
    EXPECT_TRUE (manager->isProbing());
}

TEST_F (UpdaterRunnerTest, AnUpdateStoppedAfterABlockWentOutSaysTheFirmwareIsIncomplete)
{
    connectKeyboard();
    const auto incomplete = juce::String ("\n\n") + UpdaterRunner::incompleteText;

    dialogs.cancelProgressWhen ([this] { return bootLoader.getNumBlocksReceived() >= 1; });
    EXPECT_EQ (update (writeFirmware (3 * 512)), Outcome::canceled);
    EXPECT_EQ (lastShown().text, UpdaterRunner::canceledText + incomplete);

    dialogs.cancelProgressWhen (nullptr);
    SimulatedBootLoader::Behaviour stopsAnswering;
    stopsAnswering.silentAfterBlock = 1;
    bootLoader.setBehaviour (stopsAnswering);
    EXPECT_EQ (update (writeFirmware (3 * 512)), Outcome::failed);
    EXPECT_EQ (lastShown().text, UpdaterRunner::failedText + incomplete);
}

TEST_F (UpdaterRunnerTest, ALoopbackOnAnotherInputDoesNotPassTheHandshake)
{
    // The sync command's first note (note 1, velocity 2, channel 11) echoed
    // back reads as the boot loader's answer 2.
    const auto loopbackInput = ports.addInput ("Loopback");
    ports.connectLoopback (bootLoader.getEditorOutput(), loopbackInput);
    SimulatedBootLoader::Behaviour silent;
    silent.silentToSync = true;
    bootLoader.setBehaviour (silent);
    connectKeyboard();
    dialogs.cancelProgressWhen ([this] { return bootLoader.getNumSyncCommands() >= 3; });

    EXPECT_EQ (update (writeFirmware (600)), Outcome::canceled);

    // Nothing but the sync command went out: no count, no data.
    for (const auto& m : bootLoader.getReceivedMessages())
        ASSERT_TRUE (m.getChannel() == 11 && (m.getNoteNumber() == 1 || m.getNoteNumber() == 126));
}

TEST_F (UpdaterRunnerTest, ASearchUnderWayIsStoppedBeforeTheTransferAndStartedAgainAfter)
{
    // A keyboard stuck in boot-loader mode is never detected, so its
    // recovery update starts while the search goes on.
    keyboard.unplug();
    manager = std::make_unique<OrvaneManager49> (ports, clock);
    manager->startDetection();
    ASSERT_TRUE (manager->isProbing());

    std::atomic<bool> probedDuringTransfer { false };
    dialogs.cancelProgressWhen (
        [&]
        {
            probedDuringTransfer = probedDuringTransfer || manager->isProbing();
            return false;
        });

    EXPECT_EQ (update (writeFirmware (1000)), Outcome::succeeded);
    EXPECT_FALSE (probedDuringTransfer);

    // No identity request reached the boot loader in the middle of the transfer.
    const auto received = bootLoader.getReceivedMessages();
    const auto isNote = [] (const juce::MidiMessage& m) { return m.isNoteOn (true); };
    const auto firstNote = std::find_if (received.begin(), received.end(), isNote);
    const auto lastNote = std::find_if (received.rbegin(), received.rend(), isNote).base();
    EXPECT_TRUE (std::none_of (firstNote, lastNote, isIdentityRequest));
    EXPECT_TRUE (manager->isProbing());
}

TEST_F (UpdaterRunnerTest, EveryFailureOfTheTransferEndsInTheRunnersMatchingText)
{
    connectKeyboard();
    const auto incomplete = juce::String ("\n\n") + UpdaterRunner::incompleteText;

    const struct
    {
        const char* name;
        std::function<void (SimulatedBootLoader::Behaviour&)> fault;
        int imageSize;
        Outcome outcome;
        juce::String text;
    } cases[] = {
        { "wrong count echo", [] (auto& b) { b.countEchoOffset = 16; }, 1000, Outcome::failed, UpdaterRunner::failedText },
        { "silence after a 16-block count", [] (auto& b) { b.silentToCount = true; }, 16 * 512, Outcome::failed,
          UpdaterRunner::failedText },
        { "no answer to the second block", [] (auto& b) { b.silentAfterBlock = 1; }, 3 * 512, Outcome::failed,
          UpdaterRunner::failedText + incomplete },
        { "4 where 5 is due", [] (auto& b) { b.neverComplete = true; }, 2 * 512, Outcome::failed, UpdaterRunner::failedText + incomplete },
        { "answers on the wrong channel, until Cancel", [] (auto& b) { b.channel = 1; }, 1000, Outcome::canceled,
          UpdaterRunner::canceledText },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        SimulatedBootLoader::Behaviour behaviour;
        c.fault (behaviour);
        bootLoader.setBehaviour (behaviour);
        const int syncsBefore = bootLoader.getNumSyncCommands();
        dialogs.cancelProgressWhen ([&] { return bootLoader.getNumSyncCommands() >= syncsBefore + 3; });

        EXPECT_EQ (update (writeFirmware (c.imageSize)), c.outcome);
        EXPECT_EQ (lastShown().title, UpdaterRunner::errorTitle);
        EXPECT_EQ (lastShown().text, c.text);
    }
}
