#pragma once
// Hosts that want https. Once a host has redirected an http request to https on the same host,
// or sent Strict-Transport-Security over https, later requests to it in the run go to https
// directly, saving the redirect's round trip. A port written in the address is kept (only the
// http default 80 is dropped), unless the host's redirect named another one for it. Addresses
// the program forms and shows (cache file names, links) are not changed by it.

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace kestrix {

class HttpsUpgrades {
  public:
    // url itself, or its https form when its host wants https.
    std::string apply(const std::string& url) const;
    // Learns from one answer: the address asked for, the address that answered after any
    // redirects, and whether the answer carried Strict-Transport-Security.
    void observe(std::string_view asked, std::string_view answered, bool stricttransport);

  private:
    std::set<std::string> hosts_;                   // hosts that want https, lower case
    std::map<std::string, std::string> redirected_; // http host:port -> https host:port
};

} // namespace kestrix
