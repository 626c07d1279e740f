#pragma once

#include "link/ValueCache.h"

#include <functional>

// Undo and redo of the user's edits: each choice in a box, "Default Values"
// and a Load is one step, and undoing it puts the values back with where they
// came from. Only the editor's copy changes; nothing is sent. A read-back
// replaces the copy, and with it the history.
class EditHistory
{
public:
    explicit EditHistory (ValueCache& cache);

    // Runs change as one step. change answers whether it changed the copy:
    // one that did not is no step.
    bool perform (const juce::String& name, const std::function<bool()>& change);

    // False, changing nothing, when there is no step to undo or redo.
    bool undo();
    bool redo();
    bool canUndo();
    bool canRedo();

    // The copy was replaced: no step before this can be undone.
    void clear();

private:
    class Step;
    // A read-back forgot the copy the steps were taken on.
    void clearIfCopyReplaced();

    // Each step holds two copies of the cache, some kilobytes: a long
    // session keeps the last few hundred steps, never fewer than 30.
    static constexpr int stepsKept = 200;

    ValueCache& cache;
    juce::UndoManager undoManager { stepsKept, 30 };
    int copyGeneration;
};
