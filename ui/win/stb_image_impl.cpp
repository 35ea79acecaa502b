// The one translation unit that holds stb_image's code; the skin has PNG and GIF only.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#include <stb/stb_image.h>
