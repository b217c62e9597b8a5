// Image lists built from the program's icon resources at the size the monitor's DPI asks for.
#pragma once
#include <windows.h>

#include "ui/handles.h"

namespace lentora::ui {

// Appends `count` images of `size` pixels to the list; image n is the icon resource `firstId` + n,
// or transparent where none exists, so positions always match the resource numbering.
void AddIconImages(HIMAGELIST list, int firstId, int count, int size);
// One icon resource at a given size.
IconHandle LoadIconResource(int id, int size);
// Icon resource `id` once per push-button state, greyed for the disabled state; empty without the icon.
ImageListHandle ButtonStateImages(int id, int size);
// Shows icon resource `id` on a push button, above its caption or to its left. The button only
// borrows the returned list: it must be kept while the button shows it. Empty without the icon.
ImageListHandle SetButtonIcon(HWND button, int id, int size, bool above);

}  // namespace lentora::ui
