#include "documents/SettingsFile.h"

#include "support/DocumentFiles.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{
ValueCache& defaultValues (ValueCache& cache)
{
    cache.applyDefaultValues();
    return cache;
}

juce::Result loadText (ValueCache& cache, const juce::String& text)
{
    const auto utf8 = text.toUTF8();
    return SettingsFile::loadFromData (cache, utf8.getAddress(), utf8.sizeInBytes() - 1);
}

juce::String settingsText (const juce::String& items, const juce::String& rest = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Settings><Items>" + items + "</Items>" + rest + "</Settings>";
}

// Everything a cache holds, to tell whether a load changed anything.
juce::String snapshot (const ValueCache& cache) { return SettingsFile::toText (cache); }
} // namespace

TEST (SettingsFile, SavingTheDefaultValuesWritesExactlyTheFixture)
{
    ValueCache cache;
    ScratchFolder scratch;
    const auto file = scratch.file ("defaults.vorlo25");

    ASSERT_TRUE (SettingsFile::save (defaultValues (cache), file).wasOk());

    EXPECT_TRUE (sameFileContent (file, testDataFile ("default-settings.vorlo25")));
}

TEST (SettingsFile, SaveThenLoadBringsBackEveryValueNegativeGlobalsIncluded)
{
    ValueCache saved;
    const int valueRange[] = { 0, 15, 16, 128, 128, 128, 128 }; // modes, channels, then data bytes
    for (const int id : saved.getControlsWithNumber())
        for (int p = 1; p <= 6; ++p)
            ASSERT_TRUE (saved.setItemParam (p, id, (id * 7 + p * 13) % valueRange[p]));
    saved.setItemParam (3, 0x0F, 99); // a control the keyboard does not have, with a number only
    for (int i = 0; i < ValueCache::numGlobals; ++i)
        saved.setGlobal (i, i * 1000 - 5000);
    saved.setGlobal (3, -2);
    for (int i = 0; i < ValueCache::numCurves; ++i)
        saved.setCurve (i, i % 2 == 0 ? -32768 + i : 32767 - i);

    ScratchFolder scratch;
    const auto file = scratch.file ("all.vorlo25");
    ASSERT_TRUE (SettingsFile::save (saved, file).wasOk());

    ValueCache loaded;
    ASSERT_TRUE (SettingsFile::load (loaded, file).wasOk());

    EXPECT_EQ (loaded.getControlsWithNumber(), saved.getControlsWithNumber());
    for (const int id : saved.getControlsWithNumber())
        for (int p = 1; p <= 6; ++p)
            if (saved.getItemParam (p, id) != ValueCache::missing)
            {
                EXPECT_EQ (loaded.getItemParam (p, id), saved.getItemParam (p, id)) << "parameter " << p << " of " << id;
                EXPECT_EQ (loaded.getItemSource (p, id), ValueSource::file);
            }
    for (int i = 0; i < ValueCache::numGlobals; ++i)
        EXPECT_EQ (loaded.getGlobal (i), saved.getGlobal (i)) << "global " << i;
    for (int i = 0; i < ValueCache::numCurves; ++i)
        EXPECT_EQ (loaded.getCurve (i), saved.getCurve (i)) << "curve " << i;
    EXPECT_EQ (loaded.getGlobal (3), -2);
    EXPECT_EQ (loaded.getGlobalSource (3), ValueSource::file);
}

TEST (SettingsFile, AnEmptyNumberMapStillWritesTheSectionsAndTheGlobalsGiven)
{
    ValueCache cache;
    cache.clearItems();
    cache.setGlobal (3, -2);

    const auto document = SettingsFile::createDocument (cache);

    EXPECT_EQ (document->getChildByName ("Items")->getNumChildElements(), 0);
    ASSERT_EQ (document->getChildByName ("Globals")->getNumChildElements(), 1);
    EXPECT_EQ (document->getChildByName ("Curves")->getNumChildElements(), 0);
    EXPECT_EQ (document->getChildByName ("Globals")->getChildElement (0)->getStringAttribute ("ID"), "3");
    EXPECT_EQ (document->getChildByName ("Globals")->getChildElement (0)->getStringAttribute ("Value"), "-2");
}

// What the editor only assumed (never read, loaded, reset to or chosen) stays
// out of a file: loaded and sent, a guess would overwrite the keyboard's own.
TEST (SettingsFile, WhatTheEditorOnlyAssumedStaysOutOfTheFileAndALoadLeavesItAlone)
{
    ValueCache partlyRead;
    partlyRead.forgetEverything();
    partlyRead.storeReplyPairs (3, { 0x30, 10, 0x01, 74 });
    partlyRead.storeReplyPairs (1, { 0x30, 2 }); // the read stopped after knob 1's mode
    partlyRead.setItemParam (3, 0x0F, 20);       // a control the keyboard lacks, given a number only
    partlyRead.setGlobal (6, 4, ValueSource::keyboard);

    const auto text = SettingsFile::toText (partlyRead);
    EXPECT_THAT (text.toStdString(), HasSubstr ("<Item ID=\"1\" Num=\"74\"/>"));
    EXPECT_THAT (text.toStdString(), HasSubstr ("<Item ID=\"15\" Num=\"20\"/>"));
    EXPECT_THAT (text.toStdString(), HasSubstr ("<Item ID=\"48\" Mode=\"2\" Num=\"10\"/>"));
    const auto document = SettingsFile::createDocument (partlyRead);
    ASSERT_EQ (document->getChildByName ("Globals")->getNumChildElements(), 1);
    EXPECT_EQ (document->getChildByName ("Globals")->getChildElement (0)->getStringAttribute ("ID"), "6");
    EXPECT_EQ (document->getChildByName ("Curves")->getNumChildElements(), 0);

    ValueCache loaded;
    loaded.applyDefaultValues();
    ASSERT_TRUE (loadText (loaded, text).wasOk());
    EXPECT_EQ (loaded.getItemSetting (0x30).mode, 2);
    EXPECT_EQ (loaded.getItemSetting (0x30).maxMsb, 127);
    EXPECT_EQ (loaded.getItemSource (5, 0x30), ValueSource::defaults) << "not given by the file, so left alone";
    EXPECT_EQ (loaded.getItemSource (1, 0x30), ValueSource::file);
    EXPECT_EQ (loaded.getItemParam (1, 0x0F), ValueCache::missing);
    EXPECT_EQ (loaded.getCurveSource (4), ValueSource::defaults);
}

TEST (SettingsFile, LoadRules)
{
    struct Case
    {
        const char* rule;
        juce::String text;
        std::function<void (const ValueCache&)> check;
    };

    const Case cases[] = {
        { "an Item with only ID and Num sets the number and leaves the rest as it was", settingsText ("<Item ID=\"48\" Num=\"20\"/>"),
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getItemSetting (0x30).mode, 1);
              EXPECT_EQ (c.getItemSetting (0x30).channel, 65);
              EXPECT_EQ (c.getItemSetting (0x30).number, 20);
              EXPECT_EQ (c.getItemSetting (0x30).minLsb, 0);
              EXPECT_EQ (c.getItemSetting (0x30).maxMsb, 127);
              EXPECT_EQ (c.getItemSetting (0x30).option, 1);
              EXPECT_EQ (c.getItemSource (1, 0x30), ValueSource::defaults);
          } },
        { "Param 12 of Globals and 11 of Curves are ignored; the last in range are taken",
          settingsText ({},
                        "<Globals><Param ID=\"12\" Value=\"9\"/><Param ID=\"11\" Value=\"-3\"/></Globals>"
                        "<Curves><Param ID=\"11\" Value=\"9\"/><Param ID=\"10\" Value=\"4\"/><Param ID=\"-1\" Value=\"9\"/></Curves>"),
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getGlobal (11), -3);
              EXPECT_EQ (c.getCurve (10), 4);
              EXPECT_EQ (c.getCurve (0), 0);
          } },
        { "a missing section leaves that part of the cache alone", "<Settings><Globals><Param ID=\"6\" Value=\"5\"/></Globals></Settings>",
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getGlobal (6), 5);
              EXPECT_EQ (c.getItemParam (3, 0x30), 7);
              EXPECT_EQ (c.getItemSource (3, 0x30), ValueSource::defaults);
              EXPECT_EQ (c.getCurve (4), 2);
          } },
        { "a later duplicate ID wins, and the other controls keep their values",
          settingsText ("<Item ID=\"48\" Num=\"20\" Mode=\"4\"/><Item ID=\"48\" Num=\"21\"/>"),
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getItemParam (3, 0x30), 21);
              EXPECT_EQ (c.getItemParam (1, 0x30), 4);
              EXPECT_EQ (c.getItemParam (3, 0x01), 74);
          } },
        { "any tag under Items counts, only the first Items is read",
          "<Settings><Items><Knob ID=\"1\" Num=\"5\"/>text<Item Num=\"9\"/><Item ID=\"-4\" Num=\"9\"/></Items>"
          "<Items><Item ID=\"2\" Num=\"6\"/></Items></Settings>",
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getItemParam (3, 0x01), 5);
              EXPECT_EQ (c.getItemParam (3, 0x02), 71);
          } },
        { "integers are read as the framework reads them",
          settingsText ("<Item ID=\" 9\" Num=\"12abc\" Mode=\"x\" MinLSB=\"+5\" MaxMSB=\"\" Chan=\"-0\"/>",
                        "<Globals><Param ID=\"3\" Value=\" -2 octaves\"/></Globals>"),
          [] (const ValueCache& c)
          {
              EXPECT_EQ (c.getItemSetting (9).number, 12);
              EXPECT_EQ (c.getItemSetting (9).mode, 0);
              EXPECT_EQ (c.getItemSetting (9).minLsb, 0);
              EXPECT_EQ (c.getItemSetting (9).maxMsb, 0);
              EXPECT_EQ (c.getItemSetting (9).channel, 0);
              EXPECT_EQ (c.getGlobal (3), -2);
          } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.rule);
        ValueCache cache;
        defaultValues (cache);
        const auto result = loadText (cache, c.text);
        ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();
        c.check (cache);
    }
}

TEST (SettingsFile, LoadingMarksNoEditAndStoresValuesAsFromAFile)
{
    ValueCache cache;
    ASSERT_FALSE (cache.hasUnkeptEdits());

    ASSERT_TRUE (SettingsFile::load (cache, testDataFile ("default-settings.vorlo25")).wasOk());

    EXPECT_FALSE (cache.hasUnkeptEdits());
    EXPECT_EQ (cache.getItemSource (1, 0x70), ValueSource::file);
    EXPECT_EQ (cache.getCurveSource (4), ValueSource::file);
}

TEST (SettingsFile, HostileOrBrokenFilesAreRefusedWithTheirReasonAndChangeNothing)
{
    const auto manyLevels = [] (const juce::String& open, int levels) { return juce::String::repeatedString (open, levels); };
    const juce::String item = "<Item ID=\"48\" Num=\"1\"/>";

    struct Case
    {
        const char* kind;
        juce::MemoryBlock bytes;
        const char* reason;
    };

    const auto text = [] (const juce::String& t) { return juce::MemoryBlock (t.toRawUTF8(), t.getNumBytesAsUTF8()); };
    juce::MemoryBlock junk (4096);
    juce::Random random (9);
    for (size_t i = 0; i < junk.getSize(); ++i)
        junk[i] = (char) random.nextInt (256);

    const Case cases[] = {
        { "huge", text (settingsText (juce::String::repeatedString (item, 20000))), "larger than a settings file can be" },
        { "deeply nested", text (manyLevels ("<a>", 80000)), "nested more than 16 levels deep" },
        // The parser stops at the broken tag, before any of the levels after it.
        { "nested through a broken tag", text ("<Settings><a \"" + manyLevels ("<b>", 60000)),
          "not a well-formed XML document (invalid token at line 1)" },
        { "entity expansion",
          text ("<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;&lol;\">]>"
                "<Settings><Items><Item ID=\"&lol2;\"/></Items></Settings>"),
          "document type declaration" },
        { "self-referencing entity", text ("<!DOCTYPE s [<!ENTITY a \"&a;\">]><Settings a=\"&a;\"/>"), "document type declaration" },
        { "processing instruction before text, on which the parser loops forever", text ("<Settings><a><?pi x?>text</a></Settings>"),
          "processing instruction" },
        { "undeclared entity", text (settingsText ("<Item ID=\"&x;\"/>")), "entity reference" },
        { "undeclared entity before a tag inside a value", text (settingsText ("<Item ID=\"&x;<Item/>;\"/>")),
          "not a well-formed XML document" },
        { "an entity beyond Unicode", text (settingsText ("<Item ID=\"&#x110000;\"/>")), "not a well-formed XML document" },
        { "binary junk", junk, "not a text file" },
        { "text that is not UTF-8", juce::MemoryBlock ("<Settings>\xFF\xFE", 12), "not a text file" },
        { "an overlong '/', which JUCE's check lets through", juce::MemoryBlock ("<Settings>\xC0\xAF</Settings>", 23), "not a text file" },
        { "a UTF-16 surrogate written as UTF-8", juce::MemoryBlock ("<Settings a=\"\xED\xA0\x80\"/>", 19), "not a text file" },
        { "absurd number", text (settingsText ("<Item ID=\"48\" Num=\"99999999999999999999\"/>")),
          "the number \"99999999999999999999\" of \"Num\" in \"Item\" is far out of range" },
        { "number just beyond 16 bits", text (settingsText ({}, "<Globals><Param ID=\"1\" Value=\"-32769\"/></Globals>")),
          "far out of range" },
        { "not XML", text ("Gig v1, knob 1 on CC 10"), "not a well-formed XML document" },
        { "cut short", text (settingsText (item).dropLastCharacters (12)), "cut short" },
        { "cut short in a tag", text (settingsText (item).dropLastCharacters (30)), "cut short" },
        { "empty", {}, "not a well-formed XML document" },
        { "a page, not settings", text ("<html><Items><Item ID=\"48\" Num=\"1\"/></Items></html>"),
          "it is not a settings file: its outer element is \"html\", where a settings file has \"Settings\"" },
        // A value that fits no parameter refuses the whole file, the good
        // values before it included.
        { "a mode that is none", text (settingsText (item + "<Item ID=\"48\" Mode=\"99\" Chan=\"200\" Num=\"300\"/>")),
          "knob 1: mode 99 is not a mode" },
        { "a channel that is none", text (settingsText ("<Item ID=\"1\" Chan=\"16\"/>")),
          "knob 2: channel 16 is not a channel (0 to 15, or 65 for the global channel)" },
        { "a number beyond a data byte", text (settingsText ("<Item ID=\"80\" Num=\"128\"/>")),
          "sustain pedal: number 128 is not a number from 0 to 127" },
        { "a negative bound", text (settingsText ("<Item ID=\"114\" MinLSB=\"-1\"/>")), "pad 3: min/LSB -1 is not a value from 0 to 127" },
        { "an upper bound beyond a data byte", text (settingsText ("<Item ID=\"64\" MaxMSB=\"1000\"/>")),
          "modulation strip: max/MSB 1000 is not a value from 0 to 127" },
        { "an option beyond a data byte", text (settingsText ("<Item ID=\"65\" Option=\"128\"/>")),
          "pitch strip: option 128 is not an option from 0 to 127" },
        { "an id beyond the controls", text (settingsText ("<Item ID=\"300\" Num=\"1\"/>")), "\"ID\" 300 is not a control" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.kind);
        ValueCache cache;
        const auto before = snapshot (cache);

        const auto result = SettingsFile::loadFromData (cache, c.bytes.getData(), c.bytes.getSize());

        EXPECT_TRUE (result.failed());
        EXPECT_THAT (result.getErrorMessage().toStdString(), HasSubstr (c.reason));
        EXPECT_EQ (snapshot (cache), before);
    }
}

TEST (SettingsFile, AMissingFileOrAFolderIsNotLoadedAndSaysWhy)
{
    ScratchFolder scratch;
    ValueCache cache;

    EXPECT_EQ (SettingsFile::load (cache, scratch.file ("gone.vorlo25")).getErrorMessage(), "the file does not exist");
    EXPECT_EQ (SettingsFile::load (cache, scratch.getFolder()).getErrorMessage(), "it is a folder");

    const auto big = scratch.write ("big.vorlo25", juce::String::repeatedString ("x", 300 * 1024));
    EXPECT_THAT (SettingsFile::load (cache, big).getErrorMessage().toStdString(), HasSubstr ("300 KB, far larger"));
}

TEST (SettingsFile, ASaveThatFailsPartwayLeavesThePreviousFileIntact)
{
    ScratchFolder scratch;
    const auto file = scratch.write ("Gig.vorlo25", "the previous settings");
    ValueCache cache;

    juce::Result result = juce::Result::ok();
    {
        const FileSizeLimit diskAlmostFull (100);
        result = SettingsFile::save (cache, file);
    }

    EXPECT_TRUE (result.failed());
    EXPECT_THAT (result.getErrorMessage().toStdString(), HasSubstr ("writing failed"));
    EXPECT_EQ (file.loadFileAsString(), "the previous settings");
    EXPECT_EQ (scratch.getFolder().getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 1)
        << "no temporary file is left behind";
    EXPECT_EQ (scratch.getFolder().getNumberOfChildFiles (juce::File::findFiles, "*"), 1);
}

TEST (SettingsFile, ASaveIntoAFolderThatIsNotThereSaysSo)
{
    ScratchFolder scratch;
    const auto result = SettingsFile::save (ValueCache(), scratch.file ("missing").getChildFile ("Gig.vorlo25"));

    EXPECT_THAT (result.getErrorMessage().toStdString(), HasSubstr ("does not exist"));
}
