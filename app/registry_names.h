#pragma once

// Where the program keeps its few values, all under HKEY_CURRENT_USER.
namespace app {

constexpr char kCompanyKey[] = "Software\\Tessavane";
constexpr char kInstallKey[] = "Software\\Tessavane\\Install";  // written by the installer
constexpr char kMainKey[] = "Software\\Tessavane\\Main";
constexpr char kChannelValue[] = "QID";
constexpr char kTokenValue[] = "Token";
constexpr char kPhoneValue[] = "Phone";
constexpr unsigned kChannelBytes = 100;
constexpr unsigned kTokenBytes = 200;

}  // namespace app
