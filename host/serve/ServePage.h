// ServePage: the one page `orlo serve` shows, the application's panels in a browser.
//
// The page is self-contained: its style sheet (the analysis page's, HtmlPage, and its
// own) and its script are inline, and its content security policy allows nothing but
// them (the script by a nonce made anew for every page) and requests to the page's own server. The script reads
// the state document from /api/state (at once and then twice a second, redrawing when
// its version changed) and sends every user action as a POST of JSON to /api/action with
// the access token in the X-Orlo-Token header. It draws the sweep files of the folder (a
// tick box picks one), the panels as the server rendered them (a click on a results row
// clicks that row; dragging across a graph zooms the frequency axis), the settings dialog
// and the band editor as dialogs whose buttons are the module's dialogs' buttons, and
// every message box an action showed as a dialog (a Yes/No question is asked of the user
// and the action is done again with the answer).
//
// MakeServePage answers the page for the access token `token` with the header value of
// its content security policy; it throws std::runtime_error when no nonce can be made
// (MakeAccessToken).
#pragma once

#include <string>

namespace orlo::host {

struct ServedPage {
  std::string html;
  std::string contentSecurityPolicy;
};

ServedPage MakeServePage(const std::string& token);

}  // namespace orlo::host
