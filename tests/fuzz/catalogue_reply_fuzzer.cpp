// Feeds arbitrary bytes to every reply parser as the server's answer to each request kind.
// Beyond not crashing, a reply that is not accepted must leave the shared state exactly as it
// was, and an accepted list must hold only enabled entries.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/catalogue_store.h"

namespace {

std::string Same(const std::string& text) { return text; }

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  for (int kind : {net::kCommonFiles, net::kRuntimeFiles, net::kDirectXFiles, net::kSystemFiles,
                   net::kUserInfoByToken, net::kSignInResult}) {
    app::AppState state;
    auto common = state.Common();
    auto runtime = state.RuntimeFiles();
    auto dx = state.DxFiles();
    auto system = state.SystemFiles();
    net::ReplyStatus status = net::StoreReply(state, kind, body, Same);
    bool accepted = status == net::ReplyStatus::kAccepted;
    Check(accepted || (state.Common() == common && state.RuntimeFiles() == runtime &&
                       state.DxFiles() == dx && state.SystemFiles() == system &&
                       !state.User().signedIn && state.User().userId == -1));
    if (accepted && (kind == net::kUserInfoByToken || kind == net::kSignInResult))
      Check(state.User().signedIn && state.User().userId >= 0 && !state.User().userToken.empty());
  }
  net::SignInCode code;
  net::ParseSignInCode(body, code);
  return 0;
}
