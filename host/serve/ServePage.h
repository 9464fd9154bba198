// ServePage: the one page `orlo serve` shows, the application's panels in a browser.
//
// The page is self-contained: its style sheet (the analysis page's, HtmlPage, and its
// own) and its script are inline, and its content security policy allows nothing but
// them (the script by `nonce`) and requests to the page's own server. The script reads
// the state document from /api/state (at once and then twice a second, redrawing when
// its version changed) and sends every user action as a POST of JSON to /api/action with
// the access token in the X-Orlo-Token header. It draws the sweep files of the folder (a
// tick box picks one), the panels as the server rendered them (a click on a results row
// clicks that row; dragging across a graph zooms the frequency axis), the settings dialog
// and the band editor as dialogs whose buttons are the module's dialogs' buttons, and
// every message box an action showed as a dialog (a Yes/No question is asked of the user
// and the action is done again with the answer).
//
// ContentSecurityPolicy is the header value that goes with the page.
#pragma once

#include <string>

namespace orlo::host {

std::string ServePageHtml(const std::string& token, const std::string& nonce);
std::string ContentSecurityPolicy(const std::string& nonce);

}  // namespace orlo::host
