// A stand-in for the program in the middle of saving: saves Configuration.dat in the given
// folder over and over, with a growing DefaultLanguageId, until it is killed. Signals the
// named event once the first save is done.
//   configuration_saver FOLDER EVENT
#include <windows.h>

#include <string>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "settings/configuration.h"
#include "settings/configuration_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  setProgramDirectoryForTesting(argv[1]);
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  for (unsigned long count = 1;; ++count) {
    // The lines change length as the number grows, so a torn write cannot pass for a whole one.
    const std::string number = std::to_string(count);
    app.settings = {{std::u16string(loadOnStartKey), u"true"},
                    {std::u16string(alwaysOnTopKey), count % 2 ? u"false" : u"true"},
                    {std::u16string(defaultLanguageIdKey), std::u16string(number.begin(), number.end())}};
    if (saveConfiguration(app.settings) && ready && count == 1) SetEvent(ready);
  }
}
