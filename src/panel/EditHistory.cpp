#include "panel/EditHistory.h"

// One step: the whole copy before and after it. The copy is small, and a
// snapshot keeps where each value came from, which a value alone would not.
class EditHistory::Step : public juce::UndoableAction
{
public:
    Step (ValueCache& cacheToRestore, ValueCache::Snapshot beforeStep, ValueCache::Snapshot afterStep)
        : cache (cacheToRestore), before (std::move (beforeStep)), after (std::move (afterStep))
    {
    }

    bool perform() override
    {
        cache.restore (after);
        return true;
    }

    bool undo() override
    {
        cache.restore (before);
        return true;
    }

    // Counted in steps: every step holds the same.
    int getSizeInUnits() override { return 1; }

private:
    ValueCache& cache;
    const ValueCache::Snapshot before, after;
};

EditHistory::EditHistory (ValueCache& cacheToEdit) : cache (cacheToEdit), copyGeneration (cacheToEdit.getTimesForgotten()) {}

bool EditHistory::perform (const juce::String& name, const std::function<bool()>& change)
{
    clearIfCopyReplaced();

    auto before = cache.takeSnapshot();
    if (! change())
        return false;

    undoManager.beginNewTransaction (name);
    undoManager.perform (new Step (cache, std::move (before), cache.takeSnapshot()));
    return true;
}

bool EditHistory::undo()
{
    clearIfCopyReplaced();
    return undoManager.undo();
}

bool EditHistory::redo()
{
    clearIfCopyReplaced();
    return undoManager.redo();
}

bool EditHistory::canUndo()
{
    clearIfCopyReplaced();
    return undoManager.canUndo();
}

bool EditHistory::canRedo()
{
    clearIfCopyReplaced();
    return undoManager.canRedo();
}

void EditHistory::clear()
{
    undoManager.clearUndoHistory();
    copyGeneration = cache.getTimesForgotten();
}

void EditHistory::clearIfCopyReplaced()
{
    if (cache.getTimesForgotten() != copyGeneration)
        clear();
}
