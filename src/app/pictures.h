// The main image list's pictures (tabs, buttons, menus) are its icon resources in order: a picture
// is named by its resource.
#pragma once
#include "image_ids.h"

namespace lentora {

constexpr int PictureOf(int iconResource) { return iconResource - IDI_IMG_BASE; }

}  // namespace lentora
