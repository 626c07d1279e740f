#include "panel/ModeRules.h"

#include <gtest/gtest.h>

using namespace ModeRules;

TEST (ModeRules, EveryModeValueAndItsItem)
{
    struct Case
    {
        int mode, item, itemMode;
        OptionBox knobBox, otherBox;
        const char* name;
    };
    // A mode without an item of its own takes the options of the item it
    // sits under, since choosing one stores that item's mode.
    const Case cases[] = {
        { -1, -1, -1, OptionBox::none, OptionBox::none, "Mode -1" },
        { 0, 0, 0, OptionBox::none, OptionBox::none, "Off" },
        { 1, 1, 1, OptionBox::encoding, OptionBox::none, "Control" },
        { 2, -1, 1, OptionBox::encoding, OptionBox::none, "Rel. Control" },
        { 3, -1, 4, OptionBox::nrpn, OptionBox::nrpn, "RPN" },
        { 4, 2, 4, OptionBox::nrpn, OptionBox::nrpn, "NRPN" },
        { 5, -1, -1, OptionBox::none, OptionBox::none, "Duration Ctl" },
        { 6, -1, -1, OptionBox::none, OptionBox::none, "Kbd Preset" },
        { 7, 3, 7, OptionBox::none, OptionBox::none, "MMC" },
        { 8, 4, 8, OptionBox::toggle, OptionBox::toggle, "Ctl Toggle" },
        { 9, 5, 9, OptionBox::toggle, OptionBox::toggle, "Midi Note" },
        { 10, -1, 9, OptionBox::toggle, OptionBox::toggle, "Midi Note Gated" },
        { 11, 6, 11, OptionBox::none, OptionBox::none, "Patch Chg" },
        { 12, 7, 12, OptionBox::hold, OptionBox::hold, "Pitch Bend" },
        { 13, -1, -1, OptionBox::none, OptionBox::none, "Mode 13" },
        { 14, 8, 14, OptionBox::hold, OptionBox::hold, "Aftertouch" },
        { 15, -1, -1, OptionBox::none, OptionBox::none, "Mode 15" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (modeToItemIndex (c.mode), c.item) << c.mode;
        EXPECT_EQ (itemModeFor (c.mode), c.itemMode) << c.mode;
        EXPECT_EQ (modeName (c.mode), c.name) << c.mode;
        EXPECT_EQ (optionBoxFor (c.mode, true), c.knobBox) << c.mode;
        EXPECT_EQ (optionBoxFor (c.mode, false), c.otherBox) << c.mode;
    }

    const int stored[] = { 0, 1, 4, 7, 8, 9, 11, 12, 14 };
    for (int item = 0; item < 9; ++item)
        EXPECT_EQ (itemIndexToMode (item), stored[item]);
    EXPECT_EQ (itemIndexToMode (-1), -1);
    EXPECT_EQ (itemIndexToMode (9), -1);
}

TEST (ModeRules, MasksOfTheWholeFamily)
{
    const std::pair<int, int> masks[] = {
        { 1, 0x001E },   { 14, 0x001E }, { 48, 0x001E }, { 51, 0x001E }, { 64, 0x401E }, { 65, 0x1000 }, { 80, 0x0700 }, { 112, 0x0F80 },
        { 127, 0x0F80 }, { 32, 0 },      { 33, 0 },      { 49, 0x001E }, { 75, 0x001E }, { 79, 0x001E }, { 18, 0x0F06 }, { 27, 0x0F06 },
        { 50, 0x0706 },  { 52, 0x0706 }, { 83, 0x0706 }, { 66, 0x401E }, { 81, 0x401E }, { 82, 0x401E }, { 88, 0x0F86 }, { 93, 0x0F86 },
        { 0, 0 },        { 15, 0 },      { 17, 0 },      { 94, 0 },      { 128, 0 },
    };
    for (const auto& [id, mask] : masks)
        EXPECT_EQ (modeMaskFor (id), mask) << id;
}
