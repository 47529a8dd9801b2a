// A stand-in for the program in the middle of saving own articles: in the given folder,
// save n sets the article of headword "w" + (n mod 30) to n letters "x", over and over, until
// it is killed. Signals the named event once the first save is done.
//   own_articles_saver FOLDER EVENT
#include <windows.h>

#include <string>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "dictionary/own_articles_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  setProgramDirectoryForTesting(argv[1]);
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  loadOwnArticles(app.tabs, nullptr);
  for (std::size_t count = 1;; ++count) {
    const std::string number = std::to_string(count % 30);
    const std::u16string headword = u"w" + std::u16string(number.begin(), number.end());
    const std::u16string article = std::u16string(count, u'x') + u"\r\n";
    if (changeOwnArticle(nullptr, app.tabs[0], headword, article) && ready && count == 1) SetEvent(ready);
  }
}
