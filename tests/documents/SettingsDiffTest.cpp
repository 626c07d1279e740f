#include "documents/SettingsDiff.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace
{
// "control 48.3: 7 | 21", "global 9: - | 3": what, then each side's value,
// "-" where that side holds none.
std::vector<std::string> described (const std::vector<SettingsDiff::Entry>& entries)
{
    const auto side = [] (const std::optional<int>& value) { return value ? std::to_string (*value) : std::string ("-"); };
    std::vector<std::string> lines;
    for (const auto& e : entries)
    {
        const auto what = e.kind == SettingsDiff::Kind::control ? "control " + std::to_string (e.index) + "." + std::to_string (e.parameter)
            : e.kind == SettingsDiff::Kind::global              ? "global " + std::to_string (e.index)
                                                                : "curve " + std::to_string (e.index);
        lines.push_back (what + ": " + side (e.first) + " | " + side (e.second));
    }
    return lines;
}
} // namespace

TEST (SettingsDiff, GivenValuesThatDifferAreDifferencesAndAGuessOnEitherSideIsOnlyNotCompared)
{
    ValueCache first, second;
    first.applyDefaultValues();
    second.applyDefaultValues();

    second.setItemParam (3, 0x30, 21, ValueSource::file); // knob 1's number
    second.setGlobal (6, 4, ValueSource::file);           // the global channel
    second.setCurve (1, 2, ValueSource::keyboard);        // the velocity curve
    second.setItemParam (6, 0x30, 1, ValueSource::file);  // given, and the same as the default

    // Guesses: the editor's, not the settings'. One that differs from a
    // given value is still no difference.
    second.setItemParam (2, 0x70, 65, ValueSource::assumed); // pad 1's channel, 9 on the first side
    first.setGlobal (0, 5, ValueSource::assumed);            // assumed on both sides
    second.setGlobal (9, 3, ValueSource::file);              // assumed on the first side only
    first.setItemParam (1, 0x42, 1, ValueSource::file);      // a control the second side has nothing of

    const SettingsDiff diff (first, second);
    EXPECT_FALSE (diff.isSame());
    EXPECT_THAT (described (diff.getDifferences()), ElementsAre ("control 48.3: 7 | 21", "global 6: 0 | 4", "curve 1: 0 | 2"));
    EXPECT_THAT (described (diff.getNotCompared()), ElementsAre ("control 66.1: 1 | -", "control 112.2: 9 | -", "global 9: - | 3"));
}
