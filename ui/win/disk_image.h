#pragma once

#include <memory>
#include <string_view>

#include "ui/win/decoded_image.h"

namespace DuiLib {

// True for a picture named by a full Windows path ("C:\..." or "\\server\..."), which is read
// from disk instead of the skin: the pictures that the program downloads (head images, list
// images) live in the user's folders.
bool IsDiskPicturePath(std::string_view utf8Name);

// The picture in that file, decoded once per version of the file: a file written after a
// failed look (the head image arriving late) or replaced later is read again. nullptr for a
// file that is missing, empty, over 16 MiB or not a picture that can be decoded.
std::shared_ptr<const DecodedImage> FindDiskImage(std::string_view utf8Path);

}  // namespace DuiLib
