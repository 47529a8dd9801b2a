// The vendor's web addresses: two pages opened in the browser and the two targets of the
// background notification requests. Composed from siteRoot and versionText as plain text:
// the blank in the version stays a blank, and any escaping is left to whoever carries the
// address on (the HTTP layer, the browser).
#pragma once
#include <string>
#include <string_view>

// The addresses themselves, built during static initialisation.
extern const std::u16string downloadUrl;          // "Check for Updates"
extern const std::u16string contactUrl;           // "Technical Support"
extern const std::u16string homeUrl;              // the start-up notification
extern const std::u16string sessionCompletedUrl;  // the exit notification

// siteRoot + "download_chinese?client=DesktopVersion_" + version
std::u16string composeDownloadUrl(std::u16string_view siteRoot, std::u16string_view version);
// siteRoot + "contact_us?client=DesktopVersion_" + version
std::u16string composeContactUrl(std::u16string_view siteRoot, std::u16string_view version);
// siteRoot + "/home?client=DesktopVersion_" + version: siteRoot already ends with a slash,
// so the path starts with two.
std::u16string composeHomeUrl(std::u16string_view siteRoot, std::u16string_view version);
// The home address followed by "&SessionCompleted", composed from the same parts.
std::u16string composeSessionCompletedUrl(std::u16string_view siteRoot, std::u16string_view version);
