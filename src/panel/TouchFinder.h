#pragma once

#include "link/OrvaneManager49.h"
#include "panel/PanelWidgets.h"
#include "panel/SelectedControlEditor.h"

// Touch a control to find it: while the editor's window is active, the
// control the user moves on the keyboard is selected on the picture and shown
// in the boxes, as a click would, and its widget lights briefly. Looking
// writes nothing. A flood of moves costs one update per turn of the message
// loop.
class TouchFinder : private juce::AsyncUpdater
{
public:
    TouchFinder (OrvaneManager49& manager, PanelWidgets& widgets, SelectedControlEditor& controlEditor);
    ~TouchFinder() override;

    // The manager hears the keyboard's input only while this is on, so that
    // other programs have the keyboard as soon as the user leaves the editor.
    void setListening (bool listen);
    bool isListening() const { return manager.isListeningForTouches(); }

    // A control the keyboard reported moving, from the MIDI input thread.
    void touched (int id);

private:
    void handleAsyncUpdate() override;

    OrvaneManager49& manager;
    PanelWidgets& widgets;
    SelectedControlEditor& controlEditor;
    std::atomic<int> lastTouched { -1 };
};
