#pragma once

#include "link/KeyboardFollower.h"
#include "link/OrvaneManager49.h"
#include "link/ReadBackChain.h"
#include "panel/OpenDialogs.h"
#include "panel/PanelWidgets.h"
#include "ui/Dialogs.h"

#include <functional>

// Follows the keyboard for the panel: reads its settings when it is found,
// asking first where the editor holds edits not kept; tells the user when the
// first search found nothing or a read stopped; and says in the revision box
// which keyboard is there, or that it is gone.
class KeyboardWatch : private juce::AsyncUpdater, private KeyboardFollower::Listener
{
public:
    // owner: the panel, whose going ends any question still queued.
    // showEditorsCopy puts what the editor holds back into every box.
    KeyboardWatch (juce::Component& owner, PanelWidgets& widgets, OrvaneManager49& manager, KeyboardFollower& follower,
                   Dialogs& dialogs, OpenDialogs& openDialogs, std::function<void()> showEditorsCopy);

    // The manager's events, on the thread that raised them.
    void keyboardEvent (int event, int a);

    // Says in the firmware-revision box which keyboard is there, or that it is gone.
    void showKeyboardState();

    bool isReadingBack() const noexcept { return readBack.isReadingBack(); }

private:
    // Shows what a read-back brought, or tells the user no keyboard was found.
    void handleAsyncUpdate() override;

    void keyboardStateChanged (KeyboardFollower::State state) override;
    void keyboardPolled() override;

    // A keyboard detected while the editor holds unkept edits: the user
    // chooses between reading its settings and keeping the editor's values.
    void askBeforeReadingBack();

    juce::Component& owner;
    PanelWidgets& widgets;
    OrvaneManager49& manager;
    KeyboardFollower& follower;
    Dialogs& dialogs;
    OpenDialogs& openDialogs;
    std::function<void()> showEditorsCopy;

    ReadBackChain readBack { manager };
    std::atomic<bool> readBackQuestionQueued { false }, firstSearchOver { false };
};
