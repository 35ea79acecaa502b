#pragma once
#include <string>

// The sign-in values kept in the registry between runs.
namespace app {

std::string ReadStoredToken();
// Creates the key first when it is missing: the sign-in is the one writer allowed to.
void StoreToken(const std::string& token);
// Sign-out, and a token the server no longer accepts.
void ForgetToken();
void ForgetSignIn();  // token and phone

}  // namespace app
