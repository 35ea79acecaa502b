#pragma once
#include <httplib.h>

#include "service/server_state.h"
#include "http/catalogue_replies.h"
#include "http/router.h"
#include "signin/provider.h"

namespace catalogue {

constexpr int64_t token_lifetime_seconds = 30LL * 24 * 3600;

void register_catalogue_routes(Router& routes, const CatalogueReplies& replies);
void register_user_routes(Router& routes, ServerState& state, SignInProvider& provider);

}  // namespace catalogue
