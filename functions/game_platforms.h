#pragma once
#include <functional>
#include <string>

// The game platforms that the game sub-page lists, and how each is found on the machine.
namespace functions {

enum class RegistryHive { kCurrentUser, kLocalMachine };

struct GamePlatform {
  const char* key;
  const wchar_t* displayName;
  const wchar_t* icon;  // a picture of the skin package
  // The launcher's own key, looked for under the current user's hive first when
  // `perUserToo` (a per-user install), then under the machine's; null for the shared game
  // environment, which every machine has.
  const char* subKey;
  bool perUserToo;
};

constexpr int kGamePlatformCount = 5;
extern const GamePlatform kGamePlatforms[kGamePlatformCount];

// Whether `hive\subKey` exists, in the program's own registry view.
using RegistryKeyProbe = std::function<bool(RegistryHive hive, const std::string& subKey)>;

bool PlatformInstalled(const GamePlatform& platform, const RegistryKeyProbe& keyExists);

}  // namespace functions
