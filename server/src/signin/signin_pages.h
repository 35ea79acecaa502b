#pragma once
#include <string>

namespace catalogue {

std::string html_escape(const std::string& text);

// A page that hands the authorisation to the program through its script bridge. The bridge
// defines wxCallback in every frame, so the call works from a sub-frame as well.
std::string callback_page(const std::string& code, const std::string& commodity_type, const std::string& login_code);

// A full page around `body` with the product's heading; `title` is plain text.
std::string page_frame(const std::string& title, const std::string& body);

// True for the texts that may travel into a page's script: letters, digits, '-' and '_'.
bool is_token_text(const std::string& text, size_t max_length);

}  // namespace catalogue
