#include "signin/signin_pages.h"

namespace catalogue {

std::string html_escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

bool is_token_text(const std::string& text, size_t max_length) {
  if (text.empty() || text.size() > max_length) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_'))
      return false;
  return true;
}

std::string page_frame(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
         "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"><title>" +
         html_escape(title) +
         "</title><style>body{margin:0;font-family:'Microsoft YaHei',sans-serif;text-align:center;background:#fff}"
         "h1{font-size:18px;margin:16px 0}p{color:#333;font-size:14px}.qrbox{display:inline-block;margin:8px auto}"
         "a.button{display:inline-block;padding:8px 24px;background:#1aad19;color:#fff;text-decoration:none;"
         "border-radius:4px}</style></head><body>" +
         body + "</body></html>";
}

std::string callback_page(const std::string& code, const std::string& commodity_type, const std::string& login_code) {
  // The three values are token texts (checked by the caller), so quoting them is enough.
  std::string args = "'" + code + "','" + commodity_type + "','" + login_code + "'";
  // The bridge may come late: an engine that installs it once a document has loaded does so
  // after this script has run, so the call waits for it (own window first, else the parent
  // that shows this page in a frame) and is made once. It is called as a method of its
  // window: in some engines the function is a host object, for which a detached call loses
  // its binding. Plain old script, for every document mode of the system's browser control.
  return page_frame("登录", "<p id=\"state\">正在登录…</p><script>"
                            "(function(){var tries=0;"
                            "function bridge(){if(window.wxCallback){return window;}"
                            "try{if(window.parent&&window.parent!==window&&window.parent.wxCallback){return window.parent;}}"
                            "catch(e){}return null;}"
                            "function send(){var w=bridge();"
                            "if(w){w.wxCallback(" + args + ");return;}"
                            "if(++tries<50){setTimeout(send,100);return;}"
                            "document.getElementById('state').innerHTML='请在程序中打开此页面';}"
                            "send();})();"
                            "</script>");
}

}  // namespace catalogue
