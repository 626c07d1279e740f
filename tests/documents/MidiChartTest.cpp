#include "documents/MidiChart.h"

#include "support/DocumentFiles.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace
{
// The cells of each row of a table of the chart, header row included.
std::vector<std::vector<juce::String>> rowsOf (const juce::XmlElement& html, int tableIndex)
{
    std::vector<std::vector<juce::String>> rows;
    auto* table = html.getChildByName ("body")->getChildByName ("table");
    for (int i = 0; i < tableIndex; ++i)
        table = table->getNextElementWithTagName ("table");

    for (auto* row : table->getChildIterator())
    {
        rows.emplace_back();
        for (auto* cell : row->getChildIterator())
            rows.back().push_back (cell->getAllSubText());
    }
    return rows;
}

const std::vector<juce::String> controlsHeader { "Item", "Name", "Mode", "Channel", "Number", "Min/LSB", "Max/MSB", "Option" };

} // namespace

TEST (MidiChart, TheChartOfTheDefaultValuesIsExactlyTheFixture)
{
    ValueCache cache;
    cache.applyDefaultValues();
    ScratchFolder scratch;
    const auto file = scratch.file ("chart.html");

    ASSERT_TRUE (MidiChart::save (cache, file).wasOk());

    EXPECT_TRUE (sameFileContent (file, testDataFile ("default-chart.html")));
}

TEST (MidiChart, ControlRowsNameModesChannelsAndFillWhatIsMissing)
{
    ValueCache cache;
    cache.setItemParam (3, 0x0F, 20); // unnamed id, number only
    cache.setItemParam (2, 0x30, 65); // knob 1 on the global channel
    cache.setItemParam (1, 0x09, 15); // a mode without a name
    cache.setItemParam (3, 0x12, 3);  // snapshot 1
    cache.setGlobal (3, -2);
    cache.setGlobal (6, -1);
    cache.setGlobal (2, 127);

    const auto html = MidiChart::createDocument (cache);
    const auto rows = rowsOf (*html, 0);

    ASSERT_EQ (rows.front(), controlsHeader);
    const auto rowOf = [&rows] (const juce::String& item)
    {
        for (const auto& row : rows)
            if (row.front() == item)
                return row;
        return std::vector<juce::String>();
    };
    EXPECT_THAT (rowOf ("0x0F"), ElementsAre ("0x0F", "15", "Off - 0", "1 - 0x00", "20", "0", "127", "0"));
    EXPECT_THAT (rowOf ("0x30"), ElementsAre ("0x30", "C1 - Volume", "Control - 1", "Master - 0x41", "7", "0", "127", "1"));
    EXPECT_THAT (rowOf ("0x09"), ElementsAre ("0x09", "C4 - LFO Rate ", "Err", "Master - 0x41", "76", "0", "127", "1"));
    EXPECT_THAT (rowOf ("0x12"), ElementsAre ("0x12", "Snapshot #1", "Off - 0", "1 - 0x00", "3", "0", "127", "0"));

    for (const auto& row : rows)
        EXPECT_FALSE (row.front().startsWith ("0x2")) << "ids 32 to 47 are never listed: " << row.front();

    EXPECT_THAT (rowsOf (*html, 1),
                 ElementsAre (ElementsAre ("Param", "Name", "Value"), ElementsAre ("2", "Knob relative mode", "127"),
                              ElementsAre ("3", "Octave transposition", "-2"), ElementsAre ("6", "Global MIDI Channel", "0 - 0xFF")));
}

TEST (MidiChart, AnEmptyNumberMapGivesTheHeaderRowAndStillTheThreeParameters)
{
    ValueCache cache;
    cache.clearItems();

    const auto html = MidiChart::createDocument (cache);

    EXPECT_THAT (rowsOf (*html, 0), ElementsAre (controlsHeader));
    EXPECT_EQ (rowsOf (*html, 1).size(), 4u);
}

TEST (MidiChart, ChannelAndModeNames)
{
    struct Case
    {
        int channel;
        const char* name;
    };
    const Case channels[] = { { 0, "1 - 0x00" },     { 15, "16 - 0x0F" },   { -2, "-1 - 0xFE" },     { 16, "Err" },
                              { 63, "Err" },         { 64, "Lwr - 0x40" },  { 65, "Master - 0x41" }, { 66, "Err" },
                              { 126, "All - 0x7E" }, { 127, "Pnl - 0x7F" }, { 128, "Err" } };
    for (const auto& c : channels)
        EXPECT_EQ (MidiChart::channelName (c.channel), c.name) << c.channel;

    EXPECT_EQ (MidiChart::modeName (0), "Off - 0");
    EXPECT_EQ (MidiChart::modeName (13), "??? - 13");
    EXPECT_EQ (MidiChart::modeName (14), "Aftertouch - 14");
    EXPECT_EQ (MidiChart::modeName (15), "Err");
    EXPECT_EQ (MidiChart::modeName (-1), "Err");
}
