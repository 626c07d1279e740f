#include "FuzzedMidi.h"

#include "documents/StrictUtf8.h"
#include "link/KnownPortManager.h"
#include "protocol/OrvaneMidiMessage32.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "vorloctl/HexMessage.h"
#include "vorloctl/MessageDescription.h"
#include "vorloctl/ParsedCommand.h"

#include <cstdlib>
#include <iostream>

// Any bytes through the message model of both dialects: as one raw message
// of any shape, as the messages of a MIDI stream, and as the text that
// `vorloctl describe` reads. Every predicate and accessor must stay inside
// the message; the hex text of a message reads back as the same message
// when it is one the keyboard could be sent; and the reader accepts only
// such messages.
namespace
{
[[noreturn]] void fail (const juce::String& what, const juce::MidiMessage& message)
{
    std::cerr << what << ": " << juce::String::toHexString (message.getRawData(), message.getRawDataSize()) << std::endl;
    std::abort();
}

bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() && std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}

// A sink the optimiser cannot see through, so that every accessor runs.
volatile int sink = 0;

void readThroughDialect (const IOrvaneMidiMessage& message)
{
    const bool predicates[] = { message.isControllerNumberRequest(), message.isControllerNumberResponse(),
                                message.isItemValueRequest(),        message.isItemValueResponse(),
                                message.isMidiChannelRequest(),      message.isMidiChannelResponse(),
                                message.isRelativeModeRequest(),     message.isRelativeModeResponse(),
                                message.isRelativeModeOn(),          message.isOctaveShiftRequest(),
                                message.isOctaveShiftResponse(),     message.isLedStateRequest(),
                                message.isLedStateResponse(),        message.isOwnSysEx(),
                                message.hasOnlySevenBitData() };
    for (const bool predicate : predicates)
        sink = sink + (predicate ? 1 : 0);

    const int values[] = { message.getControllerNumberItem(), message.getItemValueItem(), message.getItemValue(), message.getMidiChannel(),
                           message.getOctaveShift(),          message.getLedId(),         message.getLedState() };
    for (const int value : values)
        if (value < -1 || value > 0xFF)
            fail ("an accessor read " + juce::String (value), message);

    const auto pairs = message.getItemValuePairs();
    if (pairs.size() % 2 != 0 || pairs.size() > juce::jmax (0, message.getRawDataSize()))
        fail ("odd or too many item/value pairs", message);
    for (const int value : pairs)
        if (value < 0 || value > 0xFF)
            fail ("a pair held " + juce::String (value), message);

    if (message.describe().isEmpty())
        fail ("an empty description", message);

    // Three characters a byte and a line feed; read back, the same message
    // when the keyboard could be sent it.
    const auto hex = message.toHexString();
    if (hex.length() != 3 * message.getRawDataSize() + 1)
        fail ("hex text of the wrong length", message);

    juce::String error;
    const auto reread = parseHexMessage (hex, error);
    if (reread && ! sameBytes (*reread, message))
        fail ("the hex text read back as another message", message);
    if (! reread && FuzzedMidi::isWellFormed (message) && message.getRawDataSize() > 1 && message.getRawDataSize() <= maxMessageBytes)
        fail ("the reader refused the hex text of a sound message: " + error, message);
}

void readThroughBothDialects (const juce::MidiMessage& raw)
{
    const OrvaneMidiMessage49 message49 (raw);
    readThroughDialect (message49);

    const bool predicates49[] = { message49.isParameterRequest(),
                                  message49.isParameterResponse(),
                                  message49.isGlobalRequest(),
                                  message49.isGlobalResponse(),
                                  message49.isCurveRequest(),
                                  message49.isCurveResponse(),
                                  message49.hasValue(),
                                  message49.matches (2, 0x34, 0x70, 0x40),
                                  message49.matches (1, -1, -1, -1) };
    for (const bool predicate : predicates49)
        sink = sink + (predicate ? 1 : 0);
    sink = sink + message49.getParameter() + message49.getItem() + message49.getValue();

    readThroughDialect (OrvaneMidiMessage32 (raw));

    FirmwareRevision revision {};
    copyFirmwareRevision (raw, revision);
    sink = sink + (isIdentityReply (raw) ? 1 : 0) + deviceCodeFromIdentityReply (raw) + revision[0];

    for (const bool olderDialect : { false, true })
        if (describeMessage (raw, olderDialect).isEmpty())
            fail ("describe said nothing", raw);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;

    // The bytes as one message, whatever its shape.
    readThroughBothDialects (juce::MidiMessage (data, (int) size));

    // The bytes as a stream, messages cut short included.
    for (const auto& message : FuzzedMidi::cutIntoMessages (data, size))
        readThroughBothDialects (message);

    // The bytes as the arguments `vorloctl describe` is given, split where a
    // command line splits them: what it accepts is a message the keyboard
    // could be sent, and it says why it refuses.
    // Words that are not UTF-8 are refused before any command reads them.
    const std::string bytes (reinterpret_cast<const char*> (data), size);
    std::vector<std::string> words { "vorloctl" };
    for (size_t start = 0; start <= bytes.size();)
    {
        const auto end = std::min (bytes.find ('\0', start), bytes.size());
        words.push_back (bytes.substr (start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const auto& word : words)
        argv.push_back (word.c_str());

    juce::String error;
    const auto arguments = commandLineWords ((int) argv.size(), argv.data(), error);
    if (! arguments)
    {
        if (error.isEmpty() || ! StrictUtf8::isWellFormed (error.toRawUTF8(), error.getNumBytesAsUTF8()))
        {
            std::cerr << "a word that is not UTF-8 was refused without a reason in UTF-8" << std::endl;
            std::abort();
        }
        return 0;
    }

    if (const auto message = parseHexMessage (arguments->joinIntoString (" "), error))
    {
        if (! FuzzedMidi::isWellFormed (*message))
            fail ("the reader accepted a malformed message", *message);
        readThroughBothDialects (*message);
    }
    else if (error.isEmpty())
    {
        std::cerr << "the reader refused without a reason" << std::endl;
        std::abort();
    }

    return 0;
}
