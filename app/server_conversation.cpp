#include "app/server_conversation.h"

#include <ctime>

#include "net/api_urls.h"
#include "app/store_reply.h"

namespace app {

ServerConversation::ServerConversation(AppState& state, ConversationHost& host, std::string baseUrl,
                                       net::DisplayTextConverter convert, RequestStarter start,
                                       std::vector<net::CataloguePublicKey> catalogueKeys)
    : state_(state),
      host_(host),
      baseUrl_(std::move(baseUrl)),
      convert_(std::move(convert)),
      start_(std::move(start)),
      catalogueKeys_(std::move(catalogueKeys)) {}

void ServerConversation::Start(int kind, std::string url, const std::string& token) {
  auto request = std::make_unique<net::HttpRequest>(kind);
  request->url = std::move(url);
  if (!token.empty()) request->headers.push_back(net::TokenHeader(token));
  request->listener = this;
  start_(std::move(request));
}

std::string ServerConversation::CurrentToken() {
  std::string token = state_.User().userToken;
  return token.empty() ? host_.StoredToken() : token;
}

void ServerConversation::RequestUserInfo() {
  std::string token = CurrentToken();
  if (token.empty()) return RequestCommonFiles();
  Start(net::kUserInfoByToken, net::UserInfoUrl(baseUrl_), token);
}

void ServerConversation::RequestCommonFiles() {
  // Once the refresh runs the catalogue is loaded; a later user reply must not load it again.
  if (refreshStarted_) return;
  StartCatalogue();
}

void ServerConversation::StartCatalogue() {
  if (catalogueKeys_.empty()) return Start(net::kCommonFiles, net::CommonFilesUrl(baseUrl_, state_.channel));
  Start(net::kSignedCatalogue, net::SignedCatalogueUrl(baseUrl_));
}

void ServerConversation::OnSignedCatalogue(const std::string& body) {
  const uint64_t newest = host_.NewestAcceptedCatalogueVersion();
  auto document = std::make_shared<net::SignedCatalogue>();
  const net::DocumentVerdict verdict = net::ReadSignedCatalogue(body, catalogueKeys_, static_cast<int64_t>(std::time(nullptr)),
                                                                newest, convert_, *document);
  if (verdict != net::DocumentVerdict::kAccepted) return host_.ShowCatalogueRefused(verdict);
  if (document->version > newest) host_.RecordAcceptedCatalogueVersion(document->version);
  document_ = std::move(document);
  Start(net::kCommonFiles, net::CommonFilesUrl(baseUrl_, state_.channel));
}

void ServerConversation::RefreshUserInfo() {
  refreshStarted_ = true;
  std::string token = CurrentToken();
  if (!token.empty()) Start(net::kUserInfoByToken, net::UserInfoUrl(baseUrl_), token);
}

bool ServerConversation::OnTimer(int id) {
  if (id == kSignedInTimer) {
    RequestCommonFiles();
    return true;
  }
  if (id == kRefreshTimer) RefreshUserInfo();
  return false;
}

void ServerConversation::Continue(int kind) {
  switch (kind) {
    case net::kCommonFiles: return Start(net::kRuntimeFiles, net::RuntimeFilesUrl(baseUrl_));
    case net::kRuntimeFiles: return Start(net::kDirectXFiles, net::DirectXFilesUrl(baseUrl_));
    case net::kDirectXFiles: return Start(net::kSystemFiles, net::SystemFilesUrl(baseUrl_));
    case net::kSystemFiles:
      host_.CacheImages(*state_.Common());
      return host_.ArmTimer(kRefreshTimer, kRefreshPeriodMs);
    case net::kUserInfoByToken: return host_.ArmTimer(kSignedInTimer, 10);
  }
}

void ServerConversation::OnHttpResponse(int kind, bool ok, const std::string* body) {
  if (!ok || !body) return;
  if (kind == net::kSignedCatalogue) return OnSignedCatalogue(*body);
  const ListTrust trust{!catalogueKeys_.empty(), document_.get()};
  net::ReplyStatus status = app::StoreReply(state_, kind, *body, convert_, trust);
  switch (status) {
    case net::ReplyStatus::kAccepted:
      return Continue(kind);
    case net::ReplyStatus::kCodeNot200:
      if (kind == net::kUserInfoByToken) {
        host_.ForgetStoredToken();
        return RequestCommonFiles();
      }
      return host_.ShowRequestFailed();
    case net::ReplyStatus::kMalformed:
      // Not the server's answer to the question asked (a proxy's page, a cut reply): nothing
      // of it reaches the state. The token is kept, since nobody refused it, and the
      // catalogue still loads as it would for a user who is not signed in.
      if (kind == net::kUserInfoByToken) RequestCommonFiles();
      return;
    case net::ReplyStatus::kNotAccepted:
      return;
  }
}

}  // namespace app
