// Feeds arbitrary bytes to every reply parser as the server's answer to each request kind.
// Beyond not crashing, a reply that is not accepted must leave the shared state exactly as it
// was, and an accepted list must hold only entries the program may use: web links, plain file
// names, DLLs in a system folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue_rules/catalogue_rules.h"
#include "app/store_reply.h"

namespace {

std::string Same(const std::string& text) { return text; }

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckList(int kind, const app::AppState::ListPtr& list) {
  for (const net::CatalogueFile& entry : *list) Check(net::EntryIsUsable(kind, entry));
}

void CheckLink(const std::string& link) { Check(link.empty() || net::IsWebUrl(link)); }

// A name that passes can be joined to a folder without leaving it.
void CheckPlainName(const std::string& name) {
  if (!net::IsPlainFileName(name)) return;
  Check(name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..");
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
    net::ReplyStatus status = app::StoreReply(state, kind, body, Same);
    bool accepted = status == net::ReplyStatus::kAccepted;
    Check(accepted || (state.Common() == common && state.RuntimeFiles() == runtime &&
                       state.DxFiles() == dx && state.SystemFiles() == system &&
                       !state.User().signedIn && state.User().userId == -1));
    if (accepted && kind == net::kCommonFiles) {
      auto lists = state.Common();
      CheckLink(lists->kfUrl);
      CheckLink(lists->xyUrl);
      CheckLink(lists->secretUrl);
      for (const net::CatalogueList* l : {&lists->cplusFiles, &lists->netFiles, &lists->gameFiles})
        for (const net::CatalogueFile& entry : *l) {
          Check(net::EntryIsUsable(net::kCommonFiles, entry));
          CheckLink(entry.imgUrl);
        }
    }
    if (accepted && kind == net::kRuntimeFiles) CheckList(kind, state.RuntimeFiles());
    if (accepted && kind == net::kDirectXFiles) CheckList(kind, state.DxFiles());
    if (accepted && kind == net::kSystemFiles) CheckList(kind, state.SystemFiles());
    if (accepted && (kind == net::kUserInfoByToken || kind == net::kSignInResult))
      Check(state.User().signedIn && state.User().userId >= 0 && !state.User().userToken.empty());
  }
  net::SignInCode code;
  net::ParseSignInCode(body, code);
  CheckPlainName(body);
  return 0;
}
