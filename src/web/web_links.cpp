#include "web/web_links.h"

#include "common/globals.h"

namespace {

constexpr std::u16string_view clientQuery = u"?client=DesktopVersion_";

std::u16string compose(std::u16string_view siteRoot, std::u16string_view path, std::u16string_view version,
                       std::u16string_view tail = {}) {
  std::u16string url;
  url.reserve(siteRoot.size() + path.size() + clientQuery.size() + version.size() + tail.size());
  url.append(siteRoot).append(path).append(clientQuery).append(version).append(tail);
  return url;
}

}  // namespace

std::u16string composeDownloadUrl(std::u16string_view siteRoot, std::u16string_view version) {
  return compose(siteRoot, u"download_chinese", version);
}

std::u16string composeContactUrl(std::u16string_view siteRoot, std::u16string_view version) {
  return compose(siteRoot, u"contact_us", version);
}

std::u16string composeHomeUrl(std::u16string_view siteRoot, std::u16string_view version) {
  return compose(siteRoot, u"/home", version);
}

std::u16string composeSessionCompletedUrl(std::u16string_view siteRoot, std::u16string_view version) {
  return compose(siteRoot, u"/home", version, u"&SessionCompleted");
}

// Built from versionText and siteRoot composed afresh: the variables live in another file,
// and nothing orders their construction before these.
const std::u16string downloadUrl = composeDownloadUrl(composeSiteRoot(), composeVersionText());
const std::u16string contactUrl = composeContactUrl(composeSiteRoot(), composeVersionText());
const std::u16string homeUrl = composeHomeUrl(composeSiteRoot(), composeVersionText());
const std::u16string sessionCompletedUrl = composeSessionCompletedUrl(composeSiteRoot(), composeVersionText());
