// Image lists built from the program's icon resources at the size the monitor's DPI asks for.
#pragma once
#include <windows.h>

#include "ui/handles.h"

namespace lentora::ui {

// `count` images; image n is the icon resource `firstId` + n, or transparent where none exists,
// so positions always match the resource numbering.
ImageListHandle LoadIconImageList(int firstId, int count, int size);
// One icon resource at a given size.
IconHandle LoadIconResource(int id, int size);

}  // namespace lentora::ui
