#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "page_machinery/app_state.h"
#include "net/catalogue_parser.h"
#include "net/http_request.h"
#include "net/signed_catalogue.h"

namespace app {

// What the conversation needs from the header page around it and from the system.
class ConversationHost {
 public:
  // Arms a timer of the header; its expiry reaches OnTimer on the UI thread.
  virtual void ArmTimer(int id, unsigned milliseconds) = 0;
  // The modal "request failed" prompt; returns when the user has dismissed it. Runs on a
  // request thread, so every other request waits meanwhile.
  virtual void ShowRequestFailed() = 0;
  // The catalogue's signed document was refused: the user is told why in one sentence, and no
  // list loads for the rest of the run. Runs on a request thread, as the prompt above.
  virtual void ShowCatalogueRefused(net::DocumentVerdict why) = 0;
  // The newest document version this PC has accepted (0 for none), kept where only
  // administrators can write, and its update after a newer one was accepted.
  virtual uint64_t NewestAcceptedCatalogueVersion() = 0;
  virtual void RecordAcceptedCatalogueVersion(uint64_t version) = 0;
  virtual void CacheImages(const net::CommonCatalogue& common) = 0;
  virtual std::string StoredToken() = 0;
  virtual void ForgetStoredToken() = 0;

 protected:
  ~ConversationHost() = default;
};

constexpr int kSignedInTimer = 1001;
constexpr int kRefreshTimer = 1002;
constexpr unsigned kRefreshPeriodMs = 30000;

// The header's talk with the catalogue server: the user behind a stored token, then the
// catalogue chain (signed document ->) common -> runtime -> DirectX -> system -> images, then a
// user refresh every 30 seconds. With catalogue keys the signed document comes first and decides
// which list entries count; without keys (a test build for a catalogue on this machine) the
// lists are taken as they come. Each accepted reply replaces one list or the user in the shared state; a transfer
// failure stops the chain silently for the rest of the run, a refusal shows the prompt once.
class ServerConversation : public net::HttpListener {
 public:
  using RequestStarter = std::function<void(std::unique_ptr<net::HttpRequest>)>;

  ServerConversation(AppState& state, ConversationHost& host, std::string baseUrl,
                     net::DisplayTextConverter convert, RequestStarter start,
                     std::vector<net::CataloguePublicKey> catalogueKeys);

  void RequestUserInfo();
  void RequestCommonFiles();
  void RefreshUserInfo();
  // The header's timer notifications; returns whether the sign-in display needs refreshing.
  bool OnTimer(int id);

  void OnHttpResponse(int kind, bool ok, const std::string* body) override;

 private:
  void Start(int kind, std::string url, const std::string& token = std::string());
  std::string CurrentToken();
  void Continue(int kind);
  void StartCatalogue();
  void OnSignedCatalogue(const std::string& body);

  AppState& state_;
  ConversationHost& host_;
  const std::string baseUrl_;
  const net::DisplayTextConverter convert_;
  const RequestStarter start_;
  const std::vector<net::CataloguePublicKey> catalogueKeys_;
  // Written and read only while the request lock is held, one reply at a time.
  std::shared_ptr<const net::SignedCatalogue> document_;
  std::atomic<bool> refreshStarted_{false};
};

}  // namespace app
