// The one translation unit that holds stb_image's code. The skin has PNG and GIF; pictures
// downloaded from the catalogue (head images, list images) are JPEG or PNG. No picture of the
// program is larger than a few hundred pixels, so a file claiming more is refused before
// stb allocates for it.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_MAX_DIMENSIONS 4096
#define STBI_NO_STDIO
#include <stb/stb_image.h>
