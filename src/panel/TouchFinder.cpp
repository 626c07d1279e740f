#include "panel/TouchFinder.h"

TouchFinder::TouchFinder (OrvaneManager49& managerToHear, PanelWidgets& widgetsToShow, SelectedControlEditor& editorToSelectIn)
    : manager (managerToHear), widgets (widgetsToShow), controlEditor (editorToSelectIn)
{
}

TouchFinder::~TouchFinder() { cancelPendingUpdate(); }

void TouchFinder::setListening (bool listen)
{
    manager.listenForTouches (listen);
    if (! listen)
        lastTouched = -1;
}

void TouchFinder::touched (int id)
{
    // Only the latest move matters: a turned knob sends dozens per second.
    lastTouched = id;
    triggerAsyncUpdate();
}

void TouchFinder::handleAsyncUpdate()
{
    // Another model's moves would be matched against assignments that are
    // not its own.
    const int id = lastTouched.exchange (-1);
    if (id < 0 || ! isListening() || ! manager.isVorloDetected())
        return;

    // The same control again keeps its boxes as they are: nothing flickers.
    // While a box's items are open, the choice belongs to the control it was
    // opened for: a knob bumped meanwhile must not take it.
    if (id != controlEditor.getSelected())
    {
        if (widgets.isChoiceOpen())
            return;
        if (! widgets.picker->selectControl (id) || ! controlEditor.select (id))
            return;
    }
    widgets.picker->flashControl (id);
}
