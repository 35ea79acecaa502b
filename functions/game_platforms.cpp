#include "functions/game_platforms.h"

namespace functions {

const GamePlatform kGamePlatforms[kGamePlatformCount] = {
    {"steam", L"Steam", L"Steam.png", "SOFTWARE\\Valve\\Steam", true},
    {"ea", L"EA", L"EA.png", "SOFTWARE\\EA", false},
    {"rg", L"Rockstar Games", L"RG.png", "SOFTWARE\\Rockstar Games\\Launcher", false},
    {"epic", L"EPIC", L"epic.png", "SOFTWARE\\Epic Games", false},
    {"gg", L"公共游戏环境", L"GG.png", nullptr, false},
};

bool PlatformInstalled(const GamePlatform& platform, const RegistryKeyProbe& keyExists) {
  if (platform.subKey == nullptr) return true;
  if (platform.perUserToo && keyExists(RegistryHive::kCurrentUser, platform.subKey)) return true;
  return keyExists(RegistryHive::kLocalMachine, platform.subKey);
}

}  // namespace functions
