#include "panel/EditHistory.h"

#include <gtest/gtest.h>

// The history keeps a bounded number of steps, and a read-back's forgetting
// ends it.
TEST (EditHistory, KeepsTheLastStepsOnlyAndEndsWhenTheCopyIsForgotten)
{
    ValueCache cache;
    EditHistory history (cache);

    EXPECT_FALSE (history.perform ("nothing", [] { return false; })) << "a change that changed nothing is no step";
    EXPECT_FALSE (history.canUndo());

    for (int i = 0; i < 250; ++i)
        ASSERT_TRUE (history.perform ("number", [&] { return cache.setItemParam (3, 0x30, i % 128); }));

    int undone = 0;
    while (history.undo())
        ++undone;
    EXPECT_GE (undone, 30);
    EXPECT_LE (undone, 200) << "a long session must not keep every copy";
    EXPECT_EQ (cache.getItemParam (3, 0x30), (250 - undone - 1) % 128);

    ASSERT_TRUE (history.redo());
    cache.forgetEverything();
    EXPECT_FALSE (history.canRedo());
    EXPECT_FALSE (history.undo());
}
