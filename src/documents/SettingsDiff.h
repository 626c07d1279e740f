#pragma once

#include "link/ValueCache.h"

#include <optional>

// What differs between two sets of settings, each held in a value cache:
// every parameter of every control either holds, the twelve globals and the
// eleven curves.
//
// A value one side only assumed (ValueSource::assumed, or missing) is the
// editor's guess, not a setting: it never makes a difference. Where the
// other side holds a value given to it, the pair is kept apart as not
// compared, so that the guess is neither reported as a difference nor passed
// over in silence. Where both only assumed, there is nothing to compare.
class SettingsDiff
{
public:
    enum class Kind
    {
        control,
        global,
        curve
    };

    // One value of the two sides; nothing on a side that only assumed it.
    struct Entry
    {
        Kind kind;
        int index;         // the control's id, or the global's or curve's index
        int parameter = 0; // 1 to 6 for a control
        std::optional<int> first, second;
    };

    SettingsDiff (const ValueCache& first, const ValueCache& second);

    // Values both sides hold and that differ: controls in id order, each's
    // parameters in order, then the globals, then the curves.
    const std::vector<Entry>& getDifferences() const noexcept { return differences; }
    // Values only one side holds, in the same order.
    const std::vector<Entry>& getNotCompared() const noexcept { return notCompared; }

    bool isSame() const noexcept { return differences.empty(); }

private:
    void compare (Entry entry);

    std::vector<Entry> differences, notCompared;
};
