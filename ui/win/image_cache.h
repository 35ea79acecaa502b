#pragma once

#include <memory>
#include <string_view>

#include "ui/win/decoded_image.h"

namespace DuiLib {

// Pictures of the process skin, decoded once per entry name (letter case ignored, as the
// package lookup). nullptr for a name the package does not hold or cannot decode; the
// failure is remembered too, so a missing picture costs one lookup, not one per paint.
std::shared_ptr<const DecodedImage> FindSkinImage(std::string_view name);

// What an image attribute's file names: a full path is read from disk, any other name is an
// entry of the skin.
std::shared_ptr<const DecodedImage> FindPicture(std::string_view name);

}  // namespace DuiLib
