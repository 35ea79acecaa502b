#include "app/catalogue_refusal.h"

namespace app {

const wchar_t kCatalogueRefusedTitle[] = L"运行库清单未通过校验";

const wchar_t* CatalogueRefusalSentence(net::DocumentVerdict why) {
  switch (why) {
    case net::DocumentVerdict::kMissing:
      return L"服务器没有提供经过签名的运行库清单，为了您电脑的安全，本次不进行任何修复。";
    case net::DocumentVerdict::kMalformed:
      return L"服务器提供的运行库清单无法读取，为了您电脑的安全，本次不进行任何修复。";
    case net::DocumentVerdict::kUnknownKey:
      return L"运行库清单不是由本程序认可的密钥签名的，为了您电脑的安全，本次不进行任何修复。";
    case net::DocumentVerdict::kBadSignature:
      return L"运行库清单在签名之后被改动过，为了您电脑的安全，本次不进行任何修复。";
    case net::DocumentVerdict::kExpired:
      return L"运行库清单已过期（也请检查电脑的日期和时间是否正确），本次不进行任何修复。";
    case net::DocumentVerdict::kRolledBack:
      return L"服务器提供的运行库清单比这台电脑已经用过的版本更旧，为了您电脑的安全，本次不进行任何修复。";
    case net::DocumentVerdict::kAccepted:
      break;
  }
  return L"";
}

}  // namespace app
