#include "calibration/PadCalibrationDialog.h"
#include "firmware/UpdaterRunner.h"
#include "panel/KbdSettingComponentVorlo.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "sim/SimulatedBootLoader.h"
#include "sim/SimulatedKeyboard.h"
#include "support/Display.h"
#include "support/DocumentFiles.h"
#include "support/IdleSkippingClock.h"
#include "support/MessageLoop.h"
#include "support/ScriptedDialogs.h"
#include "support/VorloctlRun.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

// Every flow of the editor and of vorloctl against the simulated keyboard in
// trouble: each cell states what the user is told, what the keyboard ends up
// holding, that the flow ended within its bound, and that nothing malformed
// reached the keyboard.

namespace
{
enum class Flow
{
    detection,
    readBack,
    sendToKeyboard,
    padCalibration,
    firmwareUpdate,
    toolRead,
    toolSend
};

enum class Fault
{
    silent,
    latency1ms,
    latency50ms,
    latency2500ms,
    everyThirdReplyDropped,
    wrongAnswers,
    otherDeviceId,
    unpluggedMidway,
    controlFlood
};

const char* nameOf (Flow flow)
{
    switch (flow)
    {
        case Flow::detection: return "Detection";
        case Flow::readBack: return "ReadBack";
        case Flow::sendToKeyboard: return "SendToKeyboard";
        case Flow::padCalibration: return "PadCalibration";
        case Flow::firmwareUpdate: return "FirmwareUpdate";
        case Flow::toolRead: return "ToolRead";
        case Flow::toolSend: return "ToolSend";
    }
    return "";
}

const char* nameOf (Fault fault)
{
    switch (fault)
    {
        case Fault::silent: return "Silent";
        case Fault::latency1ms: return "Latency1ms";
        case Fault::latency50ms: return "Latency50ms";
        case Fault::latency2500ms: return "Latency2500ms";
        case Fault::everyThirdReplyDropped: return "EveryThirdReplyDropped";
        case Fault::wrongAnswers: return "WrongAnswers";
        case Fault::otherDeviceId: return "AnswersOnAnotherDeviceId";
        case Fault::unpluggedMidway: return "UnpluggedMidway";
        case Fault::controlFlood: return "FloodOf10000ControlMovesASecond";
    }
    return "";
}

// What the keyboard keeps across a power cycle: what a flow may change.
struct KeptState
{
    std::array<std::optional<KeyboardModel::Settings>, KeyboardModel::numMemories + 1> memories;
    std::array<int, KeyboardModel::numPads> storedPadGains {};

    bool operator== (const KeptState& other) const { return memories == other.memories && storedPadGains == other.storedPadGains; }
};

KeptState keptStateOf (const SimulatedKeyboard& keyboard)
{
    return keyboard.inspect ([] (const KeyboardModel& k) { return KeptState { k.memories, k.storedPadGains }; });
}

//==============================================================================
// Whether a message the keyboard received is whole and well formed: no SysEx
// data byte of 0x80 or more, each dialect message as long as its kind, and
// channel messages with all their bytes. Empty when it is.
juce::String malformation (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    const int size = message.getRawDataSize();
    const auto hex = juce::String::toHexString (raw, size);

    if (size == 0)
        return "an empty message";

    if (raw[0] != 0xF0)
        return size == juce::MidiMessage::getMessageLengthFromFirstByte (raw[0]) ? juce::String() : "cut short: " + hex;

    if (size < 3 || raw[size - 1] != 0xF7)
        return "SysEx without its end: " + hex;
    for (int i = 1; i < size - 1; ++i)
        if (raw[i] >= 0x80)
            return "SysEx data byte of 0x80 or more: " + hex;

    if (raw[1] == 0x7E)
        return size == 6 ? juce::String() : "identity request of the wrong length: " + hex;

    if (size < 7 || raw[1] != 0x00 || raw[2] != 0x2F || raw[3] != 0x19 || raw[5] != 0x42)
        return "SysEx of no known kind: " + hex;

    switch (raw[6])
    {
        case OrvaneMidiMessage49::operationRequest: return size == 11 ? juce::String() : "request of the wrong length: " + hex;
        case OrvaneMidiMessage49::operationValue: return size == 12 ? juce::String() : "value of the wrong length: " + hex;
        case OrvaneMidiMessage49::operationNames: return size >= 10 && size <= 46 ? juce::String() : "names of the wrong length: " + hex;
        case OrvaneMidiMessage49::operationMemoryCommand05:
        case OrvaneMidiMessage49::operationStoreToMemory: return size == 9 ? juce::String() : "command of the wrong length: " + hex;
        default: return "unknown operation: " + hex;
    }
}

// Ends the process when a flow outlives its bound: a hang shows as a
// failure that names the cell, not as a test that never returns.
class Watchdog
{
public:
    Watchdog (juce::String cellToName, int boundMs) : cell (std::move (cellToName)), thread ([this, boundMs] { watch (boundMs); }) {}

    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            ended = true;
        }
        wakeUp.notify_all();
        thread.join();
    }

private:
    void watch (int boundMs)
    {
        std::unique_lock<std::mutex> lock (mutex);
        if (! wakeUp.wait_for (lock, std::chrono::milliseconds (boundMs), [this] { return ended; }))
        {
            std::cerr << "HANG: " << cell << " did not end within " << boundMs << " ms" << std::endl;
            std::abort();
        }
    }

    const juce::String cell;
    std::mutex mutex;
    std::condition_variable wakeUp;
    bool ended = false;
    std::thread thread;
};

// The firmware file of the matrix: three blocks of a pattern.
std::vector<juce::uint8> firmwareBytes()
{
    std::vector<juce::uint8> bytes (3 * SimulatedBootLoader::blockSize);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (juce::uint8) ((i * 7 + 3) & 0xFF);
    return bytes;
}

//==============================================================================
// What a cell ends in.
enum class Holds
{
    unchanged,    // every memory and the stored pad gains as before the flow
    whatWasSent,  // the memory sent to holds the editor's settings; nothing else changed
    userGains,    // the stored pad gains are the keyboard's own, with the user's edit
    wholeImage,   // the boot loader holds the whole firmware file, byte for byte
    partialImage, // the boot loader holds part of the file and has not confirmed it
    noImage       // the boot loader received no data at all
};

struct Expected
{
    Flow flow;
    Fault fault;
    juce::String told; // every dialog after the flow began, "Title: text" each, " | " between
    Holds holds;
};

const juce::String notDetected = "Keyboard Problem: The keyboard has not been detected. Please correct the problem and try again.\n\n"
                                 "The editor keeps watching the MIDI ports and finds the keyboard by itself as soon as it is plugged "
                                 "in. To try the editor without the keyboard, start the demo, vorlo-control-center-demo: it plays a "
                                 "simulated keyboard.";
const juce::String readBackStalled =
    "Keyboard Problem: Reading the keyboard's settings did not finish: the keyboard stopped answering. The settings that were "
    "not read are shown greyed, and \"Send to Keyboard\" leaves the keyboard's own values for them alone.";
const juce::String readBackComplete = "read: every setting";
const juce::String storedInMemory1 = "notice: Stored in memory 1";
const juce::String sendFailed = "Keyboard Problem: Sending to the keyboard failed: 1 setting did not reach it, and memory 1 was not "
                                "stored. Check that the keyboard is connected, then send again.";
const juce::String padsApplied = "pads: all read | applied";
const juce::String unreadPadsAdvice = " Apply and OK leave their gains on the keyboard as they are, unless you move their sliders.";
const juce::String noPadRead =
    "pads: The keyboard gave none of the pad gains: every pad shows the default, 64/64." + unreadPadsAdvice + " | applied";
const juce::String padsUnplugged =
    "pads: The gains of pads 4, 5, 6, 7 and 8 could not be read from the keyboard: they show the default, 64/64." + unreadPadsAdvice
    + " | Keyboard Problem: The pad gains could not be sent to the keyboard, so they were not stored. Check "
      "that the keyboard is plugged in, then try again.";
const juce::String firmwareAsked =
    juce::String (UpdaterRunner::upgradeModeTitle) + ": " + UpdaterRunner::upgradeModeText + " | Upgrading firmware, please wait...";
const juce::String firmwareDone = firmwareAsked + " | Firmware Update Result: The burn process completed without error";
const juce::String firmwareFailed = firmwareAsked
    + " | Firmware Update Error: The burn process completed, but there was an error\n\nThe firmware on the keyboard is now "
      "incomplete: please run the firmware update again.";
const juce::String firmwareFailedBeforeData =
    firmwareAsked + " | Firmware Update Error: The burn process completed, but there was an error";
const juce::String firmwareCanceled = firmwareAsked + " | Firmware Update Error: The burn process has been canceled";
juce::String toolNoKeyboard (const char* command)
{
    return "exit 1: vorloctl " + juce::String (command) + ": No keyboard answered. Make sure it is connected and switched on.\n";
}
const juce::String toolReadOk = "exit 0";
const juce::String toolSendOk = "exit 0";
const juce::String toolSendFailed =
    "exit 1: vorloctl send: Sending to the keyboard failed: 1 setting did not reach it, and memory 2 was not stored. "
    "Check that the keyboard is connected, then send again.\n";

juce::String toolStalled (int requestsSent)
{
    return "exit 1: vorloctl read: The keyboard stopped answering while its settings were read (" + juce::String (requestsSent)
        + " of 12 requests sent). Nothing was written.\n";
}

// clang-format off
const Expected expectations[] = {
    { Flow::detection,      Fault::silent,                 notDetected,              Holds::unchanged },
    { Flow::detection,      Fault::latency1ms,             "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::latency50ms,            "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::latency2500ms,          "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::everyThirdReplyDropped, "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::wrongAnswers,           "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::otherDeviceId,          "found: 1.0.3.0",         Holds::unchanged },
    { Flow::detection,      Fault::unpluggedMidway,        notDetected,              Holds::unchanged },
    { Flow::detection,      Fault::controlFlood,           "found: 1.0.3.0",         Holds::unchanged },

    { Flow::readBack,       Fault::silent,                 notDetected,              Holds::unchanged },
    { Flow::readBack,       Fault::latency1ms,             readBackComplete,         Holds::unchanged },
    { Flow::readBack,       Fault::latency50ms,            readBackComplete,         Holds::unchanged },
    { Flow::readBack,       Fault::latency2500ms,          readBackComplete,          Holds::unchanged },
    { Flow::readBack,       Fault::everyThirdReplyDropped, readBackComplete,          Holds::unchanged },
    { Flow::readBack,       Fault::wrongAnswers,           readBackStalled,          Holds::unchanged },
    { Flow::readBack,       Fault::otherDeviceId,          readBackComplete,         Holds::unchanged },
    { Flow::readBack,       Fault::unpluggedMidway,        readBackStalled,          Holds::unchanged },
    { Flow::readBack,       Fault::controlFlood,           readBackComplete,         Holds::unchanged },

    { Flow::sendToKeyboard, Fault::silent,                 storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::latency1ms,             storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::latency50ms,            storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::latency2500ms,          storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::everyThirdReplyDropped, storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::wrongAnswers,           storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::otherDeviceId,          storedInMemory1,          Holds::whatWasSent },
    { Flow::sendToKeyboard, Fault::unpluggedMidway,        sendFailed,               Holds::unchanged },
    { Flow::sendToKeyboard, Fault::controlFlood,           storedInMemory1,          Holds::whatWasSent },

    { Flow::padCalibration, Fault::silent,                 noPadRead,                Holds::userGains },
    { Flow::padCalibration, Fault::latency1ms,             padsApplied,              Holds::userGains },
    { Flow::padCalibration, Fault::latency50ms,            padsApplied,              Holds::userGains },
    { Flow::padCalibration, Fault::latency2500ms,          padsApplied,                Holds::userGains },
    { Flow::padCalibration, Fault::everyThirdReplyDropped, padsApplied,              Holds::userGains },
    { Flow::padCalibration, Fault::wrongAnswers,           noPadRead,                Holds::userGains },
    { Flow::padCalibration, Fault::otherDeviceId,          padsApplied,              Holds::userGains },
    { Flow::padCalibration, Fault::unpluggedMidway,        padsUnplugged,            Holds::unchanged },
    { Flow::padCalibration, Fault::controlFlood,           padsApplied,              Holds::userGains },

    { Flow::firmwareUpdate, Fault::silent,                 firmwareCanceled,         Holds::noImage },
    { Flow::firmwareUpdate, Fault::latency1ms,             firmwareDone,             Holds::wholeImage },
    { Flow::firmwareUpdate, Fault::latency50ms,            firmwareDone,             Holds::wholeImage },
    { Flow::firmwareUpdate, Fault::latency2500ms,          firmwareFailedBeforeData, Holds::noImage },
    { Flow::firmwareUpdate, Fault::everyThirdReplyDropped, firmwareFailed,           Holds::partialImage },
    { Flow::firmwareUpdate, Fault::wrongAnswers,           firmwareFailedBeforeData, Holds::noImage },
    { Flow::firmwareUpdate, Fault::otherDeviceId,          firmwareCanceled,         Holds::noImage },
    { Flow::firmwareUpdate, Fault::unpluggedMidway,        firmwareFailed,           Holds::partialImage },
    { Flow::firmwareUpdate, Fault::controlFlood,           firmwareDone,             Holds::wholeImage },

    { Flow::toolRead,       Fault::silent,                 toolNoKeyboard ("read"),  Holds::unchanged },
    { Flow::toolRead,       Fault::latency1ms,             toolReadOk,               Holds::unchanged },
    { Flow::toolRead,       Fault::latency50ms,            toolReadOk,               Holds::unchanged },
    { Flow::toolRead,       Fault::latency2500ms,          toolReadOk,               Holds::unchanged },
    { Flow::toolRead,       Fault::everyThirdReplyDropped, toolReadOk,               Holds::unchanged },
    { Flow::toolRead,       Fault::wrongAnswers,           toolStalled (7),          Holds::unchanged },
    { Flow::toolRead,       Fault::otherDeviceId,          toolReadOk,               Holds::unchanged },
    { Flow::toolRead,       Fault::unpluggedMidway,        toolStalled (5),          Holds::unchanged },
    { Flow::toolRead,       Fault::controlFlood,           toolReadOk,               Holds::unchanged },

    { Flow::toolSend,       Fault::silent,                 toolNoKeyboard ("send"),  Holds::unchanged },
    { Flow::toolSend,       Fault::latency1ms,             toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::latency50ms,            toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::latency2500ms,          toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::everyThirdReplyDropped, toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::wrongAnswers,           toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::otherDeviceId,          toolSendOk,               Holds::whatWasSent },
    { Flow::toolSend,       Fault::unpluggedMidway,        toolSendFailed,           Holds::unchanged },
    { Flow::toolSend,       Fault::controlFlood,           toolSendOk,               Holds::whatWasSent },
};
// clang-format on

void PrintTo (const Expected& cell, std::ostream* os) { *os << nameOf (cell.flow) << " x " << nameOf (cell.fault); }

std::vector<Expected> everyCell() { return std::vector<Expected> (std::begin (expectations), std::end (expectations)); }

// The longest any cell may take; the slowest honest one, pad calibration
// against a keyboard 2.5 s late, takes about 10 s.
constexpr int flowBoundMs = 45000;
// Past this a flow that waits on the message loop is taken as stuck.
// A keyboard that answers after 2.5 s takes about 35 s to read whole.
constexpr int settleBoundMs = 60000;
constexpr int sendMemory = 1;
constexpr int toolSendMemory = 2;
constexpr int editedPad = 2;
constexpr int editedGain = 100;
} // namespace

//==============================================================================
class FaultMatrix : public ::testing::TestWithParam<Expected>
{
protected:
    void TearDown() override
    {
        keyboard.stopMovingControls();
        panel.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    Flow flow() const { return GetParam().flow; }
    Fault fault() const { return GetParam().fault; }

    // Sets the fault on the keyboard (and on the boot loader, for the
    // firmware). An unplugged keyboard vanishes on the n-th message from now.
    void applyFault (int unplugAfterMessages)
    {
        SimulatedBootLoader::Behaviour behaviour;
        switch (fault())
        {
            case Fault::silent:
                keyboard.setSilent (true);
                behaviour.silentToSync = true;
                break;
            case Fault::latency1ms:
                keyboard.setReplyLatencyMs (1.0);
                behaviour.latencyMs = 1.0;
                break;
            case Fault::latency50ms:
                keyboard.setReplyLatencyMs (50.0);
                behaviour.latencyMs = 50.0;
                break;
            case Fault::latency2500ms:
                keyboard.setReplyLatencyMs (2500.0);
                behaviour.latencyMs = 2500.0;
                break;
            case Fault::everyThirdReplyDropped:
                keyboard.setDropsEveryNthReply (3);
                behaviour.dropEveryNthAnswer = 3;
                break;
            case Fault::wrongAnswers:
                keyboard.setAnswersCutShort (true);
                behaviour.countEchoOffset = 1;
                break;
            case Fault::otherDeviceId:
                keyboard.setAnswerDeviceId (0x05);
                behaviour.channel = SimulatedBootLoader::answerChannel + 1;
                break;
            case Fault::unpluggedMidway:
                keyboard.unplugAfterReceiving (unplugAfterMessages);
                behaviour.unplugAfterBlock = 1;
                break;
            case Fault::controlFlood: keyboard.startMovingControls (10000.0); break;
        }
        bootLoader.setBehaviour (behaviour);
    }

    //==============================================================================
    // The editor finds the keyboard and reads it; a healthy keyboard first,
    // for the flows that start from a working editor.
    void createPanel()
    {
        panel = std::make_unique<KbdSettingComponentVorlo> (KbdSettingComponentVorlo::Services { ports, dialogs, clock });
    }

    // The chain's last step switches the keyboard's LEDs off.
    bool readBackReachedItsEnd() const
    {
        return keyboard.inspect (
            [] (const KeyboardModel& k)
            {
                for (int led = ReadBackChain::firstLed; led < ReadBackChain::firstLed + ReadBackChain::numLeds; ++led)
                    if (k.itemValues.at (led) != 0)
                        return false;
                return true;
            });
    }

    // The search ended without a keyboard, or found one and its read-back
    // ended: all through, or with a word to the user.
    bool detectionSettled() const
    {
        auto& manager = panel->getManager();
        if (! manager.isKeyboardDetected())
            return manager.isDetectionFinished();
        return ! panel->isReadingBack() && (readBackReachedItsEnd() || ! dialogs.getShown().empty());
    }

    void openHealthyPanel()
    {
        createPanel();
        ASSERT_TRUE (runMessageLoopUntil ([this] { return detectionSettled(); }, 10000));
        ASSERT_TRUE (readBackReachedItsEnd());
        ASSERT_TRUE (panel->getManager().isKeyboardDetected());
        flushMessageLoop();
        dialogs.forgetShown();
    }

    // A click on one of the panel's buttons, handled at once as the message
    // loop would.
    void click (juce::Button& button)
    {
        panel->buttonClicked (&button);
        flushMessageLoop();
    }

    juce::String dialogsShown() const
    {
        juce::StringArray texts;
        for (const auto& s : dialogs.getShown())
            texts.add (s.text.isEmpty() ? s.title : s.title + ": " + s.text);
        return texts.joinIntoString (" | ");
    }

    //==============================================================================
    // Each flow returns what the user was told.
    juce::String runDetection()
    {
        applyFault (1);
        createPanel();
        EXPECT_TRUE (runMessageLoopUntil ([this] { return detectionSettled(); }, settleBoundMs));
        flushMessageLoop();

        // What the read-back then says is the read-back's cells' business.
        if (panel->getManager().isKeyboardDetected())
            return "found: " + panel->getWidgets().firmwareRevisionBox->getText();
        return dialogsShown();
    }

    juce::String runReadBack()
    {
        applyFault (6);
        createPanel();
        EXPECT_TRUE (runMessageLoopUntil ([this] { return detectionSettled(); }, settleBoundMs));
        flushMessageLoop();
        checkEditorHoldsOnlyTheKeyboardsValues();

        const auto shown = dialogsShown();
        if (shown.isEmpty() && isEveryControlRead())
            return readBackComplete;
        return shown.isEmpty() ? juce::String ("read: part, silently") : shown;
    }

    juce::String runSendToKeyboard()
    {
        openHealthyPanel();
        if (HasFatalFailure())
            return {};

        // The user changes knob 1's controller number, then sends.
        panel->getManager().setNumber (0x01, 20);
        applyFault (40);
        click (*panel->getWidgets().sendButton);

        const auto shown = dialogsShown();
        const auto notice = panel->getWidgets().notice->getText();
        return shown.isNotEmpty() ? shown : "notice: " + notice;
    }

    juce::String runPadCalibration()
    {
        openHealthyPanel();
        if (HasFatalFailure())
            return {};
        applyFault (4);

        // As the panel's "Pads..." does, without its modal loop: the dialog
        // reads the gains as it opens, the user moves one slider and clicks OK.
        PadCalibrationDialog dialog (&panel->getManager(), dialogs);
        flushMessageLoop();
        auto& page = dialog.getCalibComponent();
        const auto keyboardGains = keptStateOf (keyboard).storedPadGains;
        for (int pad = 0; pad < PadGains::numPads; ++pad)
        {
            const int shown = page.getGain (pad);
            EXPECT_TRUE (shown == keyboardGains[(size_t) pad] || shown == PadGains::defaultGain)
                << "pad " << pad + 1 << " shows " << shown << ", a gain the keyboard never had";
        }

        juce::StringArray told;
        told.add (page.getUnreadNotice().isVisible() ? "pads: " + page.getUnreadNotice().getText() : juce::String ("pads: all read"));

        page.getSlider (editedPad).setValue (editedGain, juce::sendNotificationSync);
        told.add (page.applyGains() ? "applied" : dialogsShown());
        return told.joinIntoString (" | ");
    }

    juce::String runFirmwareUpdate()
    {
        openHealthyPanel();
        if (HasFatalFailure())
            return {};

        const auto bytes = firmwareBytes();
        if (! firmwareFile.replaceWithData (bytes.data(), bytes.size()))
        {
            ADD_FAILURE() << "the firmware file could not be written";
            return {};
        }

        // The user restarts the keyboard in its boot loader; the keyboard's
        // own ports stay, as another device would.
        applyFault (0);
        bootLoader.plugIn();
        dialogs.answerFile (firmwareFile);
        dialogs.answerOk (true);

        // The transfer asks a boot loader that does not answer again and
        // again; the user gives up on a progress bar that has not moved for
        // half a minute and presses Cancel.
        const double startMs = clock.getMillisecondCounterHiRes();
        dialogs.cancelProgressWhen (
            [this, startMs] { return bootLoader.getReceivedImage().empty() && clock.getMillisecondCounterHiRes() - startMs > 30000.0; });
        click (*panel->getWidgets().firmwareButton);

        // The file chooser's title is not news to the user.
        auto shown = dialogsShown();
        return shown.fromFirstOccurrenceOf (" | ", false, false);
    }

    juce::String runTool (const juce::StringArray& words)
    {
        std::ostringstream out, err;
        const int exitCode = runVorloctlOn (ports, words, out, err);
        const juce::String errors (err.str());
        return "exit " + juce::String (exitCode) + (errors.isEmpty() ? juce::String() : ": " + errors);
    }

    juce::String runToolRead()
    {
        applyFault (6);
        const auto told = runTool ({ "read", settingsFile.getFullPathName() });
        EXPECT_EQ (settingsFile.existsAsFile(), told == toolReadOk) << "a file is written exactly when the read succeeded";
        return told;
    }

    juce::String runToolSend()
    {
        if (! testDataFile ("default-settings.vorlo25").copyFileTo (settingsFile))
        {
            ADD_FAILURE() << "the settings file could not be written";
            return {};
        }
        applyFault (40);
        return runTool ({ "send", settingsFile.getFullPathName(), "--memory", juce::String (toolSendMemory) });
    }

    juce::String runFlow()
    {
        switch (flow())
        {
            case Flow::detection: return runDetection();
            case Flow::readBack: return runReadBack();
            case Flow::sendToKeyboard: return runSendToKeyboard();
            case Flow::padCalibration: return runPadCalibration();
            case Flow::firmwareUpdate: return runFirmwareUpdate();
            case Flow::toolRead: return runToolRead();
            case Flow::toolSend: return runToolSend();
        }
        return {};
    }

    //==============================================================================
    // A value the editor takes for the keyboard's is the keyboard's.
    void checkEditorHoldsOnlyTheKeyboardsValues()
    {
        const auto& cache = panel->getManager().getCache();
        const auto working = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
        for (const auto& [id, setting] : working.controls)
            for (int p = 1; p <= 6; ++p)
            {
                if (! cache.isAssumed (p, id) && cache.getItemParam (p, id) >= 0)
                {
                    EXPECT_EQ (cache.getItemParam (p, id), setting[(size_t) p]) << "control " << id << ", parameter " << p;
                }
            }
    }

    bool isEveryControlRead() const
    {
        const auto& cache = panel->getManager().getCache();
        const auto working = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
        for (const auto& [id, setting] : working.controls)
            for (int p = 1; p <= 6; ++p)
                if (cache.isKnownItem (id) && cache.isAssumed (p, id))
                    return false;
        return true;
    }

    //==============================================================================
    void checkKeyboardHolds (Holds holds, const KeptState& before)
    {
        const auto after = keptStateOf (keyboard);
        switch (holds)
        {
            case Holds::unchanged: EXPECT_TRUE (after == before) << "the keyboard's memories or pad gains changed"; break;
            case Holds::whatWasSent:
            {
                const int memory = flow() == Flow::toolSend ? toolSendMemory : sendMemory;
                auto expected = before;
                expected.memories[(size_t) memory] = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
                EXPECT_TRUE (after == expected) << "memory " << memory << " does not hold what was sent";
                if (flow() == Flow::sendToKeyboard && after.memories[(size_t) memory].has_value())
                {
                    EXPECT_EQ (after.memories[(size_t) memory]->controls.at (0x01)[3], 20) << "the user's edit did not arrive";
                }
                break;
            }
            case Holds::userGains:
            {
                // Pads the keyboard did not give keep its own gains: only the
                // edited one changes.
                auto expected = before;
                expected.storedPadGains[(size_t) editedPad] = editedGain;
                EXPECT_TRUE (after == expected) << "the stored pad gains are not the keyboard's own with the user's edit";
                break;
            }
            case Holds::wholeImage:
                EXPECT_TRUE (bootLoader.isImageComplete());
                EXPECT_EQ (bootLoader.getReceivedImage(), firmwareBytes());
                break;
            case Holds::partialImage:
                EXPECT_FALSE (bootLoader.isImageComplete());
                EXPECT_FALSE (bootLoader.getReceivedImage().empty());
                EXPECT_LT (bootLoader.getReceivedImage().size(), firmwareBytes().size());
                break;
            case Holds::noImage: EXPECT_TRUE (bootLoader.getReceivedImage().empty()); break;
        }
    }

    void checkNothingMalformedReceived()
    {
        for (const auto* device : { "keyboard", "boot loader" })
        {
            const auto received = juce::String (device) == "keyboard" ? keyboard.getReceivedMessages() : bootLoader.getReceivedMessages();
            for (const auto& message : received)
                EXPECT_EQ (malformation (message), juce::String()) << "received by the " << device;
        }
    }

    VirtualMidiPorts ports;
    IdleSkippingClock clock { ports };
    ScriptedDialogs dialogs;
    SimulatedKeyboard keyboard { ports };
    SimulatedBootLoader bootLoader { ports, false };
    std::unique_ptr<KbdSettingComponentVorlo> panel;

    ScratchFolder folder;
    juce::File settingsFile = folder.file ("matrix.vorlo25");
    juce::File firmwareFile = folder.file ("VORLO_matrix.bin");
};

TEST_P (FaultMatrix, TellsTheUserKeepsTheKeyboardWholeAndEndsInTime)
{
    // The pad calibration dialog is a window of its own.
    if (flow() == Flow::padCalibration && ! hasDisplay())
        GTEST_SKIP() << "needs a display";

    const auto cell = juce::String (nameOf (flow())) + " x " + nameOf (fault());
    const auto before = keptStateOf (keyboard);

    juce::String told;
    {
        const Watchdog watchdog (cell, flowBoundMs);
        told = runFlow();
    }
    if (fault() == Fault::controlFlood)
    {
        EXPECT_GT (keyboard.getNumControlMoves(), 0) << "the flood never started";
    }
    keyboard.stopMovingControls();

    // The editor goes, so that nothing more is sent, and what it sent last
    // arrives; answers of a slow keyboard may still be on their way.
    panel.reset();
    ports.waitUntilIdle (5000);

    EXPECT_EQ (told, GetParam().told) << cell;
    checkKeyboardHolds (GetParam().holds, before);
    checkNothingMalformedReceived();
}

INSTANTIATE_TEST_SUITE_P (EveryFlowAgainstEveryFault, FaultMatrix, ::testing::ValuesIn (everyCell()),
                          [] (const ::testing::TestParamInfo<Expected>& cell)
                          { return std::string (nameOf (cell.param.flow)) + "_" + nameOf (cell.param.fault); });
