#pragma once

#include "gallery_window.h"

// Drives the gallery through the real message loop: hover, click, timers, a modal prompt
// closed by Escape, then Escape on the gallery itself, which ends the loop. Returns the
// number of failed checks.
int DriveGallery(GalleryWindow& gallery);
