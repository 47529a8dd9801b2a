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
// versionText and siteRoot built afresh, for texts of other files that are built from them
// during static initialisation: those may be built before the variables above.
std::u16string composeVersionText();
std::u16string composeSiteRoot();
