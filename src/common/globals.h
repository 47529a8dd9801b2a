// Process-wide constant texts shared by every subsystem. They are built during static
// initialisation, in the order they are declared here, and never change afterwards, so the
// notification workers may read them from other threads.
#pragma once
#include <string>

extern const std::u16string firstLanguage;       // "English"
extern const std::u16string secondLanguage;      // "Chinese"
extern const std::u16string initialEnglishWord;  // "a", looked up at start
extern const std::u16string versionText;         // "1.2.15 Chinese"
extern const std::u16string vendorHost;          // bare host name of the vendor's web server
extern const std::u16string siteRoot;            // "http://" + vendorHost + "/"
// The vendor addresses built from these follow them in the same order; see web/web_links.h.
