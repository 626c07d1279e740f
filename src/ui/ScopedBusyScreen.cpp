#include "ui/ScopedBusyScreen.h"

ScopedBusyScreen::ScopedBusyScreen()
{
    for (int i = juce::ComponentPeer::getNumPeers(); --i >= 0;)
        juce::ComponentPeer::getPeer (i)->performAnyPendingRepaintsNow();

    juce::MouseCursor::showWaitCursor();

    // Drawing and cursor changes may wait in the display connection's queue
    // until the next event is read. Asking where the mouse is waits for the
    // display's answer, which sends everything queued before it. Without a
    // window there is nothing to send, and maybe no display to ask.
    if (juce::ComponentPeer::getNumPeers() > 0)
        juce::ignoreUnused (juce::Desktop::getMousePosition());
}

ScopedBusyScreen::~ScopedBusyScreen() { juce::MouseCursor::hideWaitCursor(); }
