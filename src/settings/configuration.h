// Configuration.dat: the three settings kept beside the program, as 8-bit text lines of
// key "=" value. Parsing and writing work on the file's bytes; the Windows half only
// moves those bytes between the file and memory.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

// Setting name to setting value, both exactly as read: no trimming, no typed copies.
using Settings = std::map<std::u16string, std::u16string>;

inline constexpr std::u16string_view configurationFileName = u"Configuration.dat";
inline constexpr std::u16string_view loadOnStartKey = u"LoadOnStart";
inline constexpr std::u16string_view alwaysOnTopKey = u"AlwaysOnTop";
inline constexpr std::u16string_view defaultLanguageIdKey = u"DefaultLanguageId";
// The article view's tone colours: 0 (or a missing key, as in files from before the
// choice existed) for the plain view, 1 and on for the schemes in View menu order.
inline constexpr std::u16string_view toneColoursKey = u"ToneColours";

// The longest line read: a longer one ends the reading, and it and every line after it
// are ignored.
inline constexpr std::size_t maxConfigurationLineLength = 1023;
// How much of the file is read at most. Anything the program writes is a few dozen bytes;
// the cap keeps a huge stray file from exhausting memory at start-up.
inline constexpr std::size_t maxConfigurationReadSize = 1 << 20;

// The settings in a file's bytes. A CR LF pair or a lone LF ends a line; the first "="
// splits key from value (a line without one is key and value both); a NUL ends a line's
// text; the first line with a given key wins. When wholeFile is false the bytes are only
// the start of the file, and a last line without its line end is left out, since the rest
// of it was not read.
Settings parseConfiguration(std::string_view bytes, bool wholeFile = true);

// The file's bytes: LoadOnStart, AlwaysOnTop and DefaultLanguageId in that order, each
// line ended by CR LF, then ToneColours and WindowPlacement when the map holds them. A missing
// key of the first three is written as "true", "false" and "0" respectively; other keys are
// not written. Characters beyond 8 bits are written as "?".
std::string serialiseConfiguration(const Settings& settings);

// A switch is on when its key is present and the value begins with "true", compared
// case-sensitively: "true " and "trueish" are on, "True" and "1" are off.
bool isSettingOn(const Settings& settings, std::u16string_view key);

// A number setting read as the C runtime's wide-string-to-integer conversion reads it:
// leading white space skipped, an optional sign, then decimal digits up to the first
// other character. No leading digits give 0; values beyond the int range are clamped.
int settingNumber(std::u16string_view value);

// What the options dialog's Save stores: "true"/"false" for the two switches and the
// chosen list index (-1 for none) as a decimal number, overwriting or adding each key.
void storeOptionsChoice(Settings& settings, bool loadOnStart, bool alwaysOnTop, int languageIndex);

// The tone colour scheme the settings choose: 0 for the plain view, 1 to schemeCount for a
// scheme; any other stored number counts as 0.
int toneColoursChoice(const Settings& settings, int schemeCount);

// What choosing a scheme in the View menu stores. Keys the options dialog has never
// written are stored as what they mean while missing (off, off, the first tab), so that
// saving this choice cannot turn LoadOnStart on through its fallback.
void storeToneColoursChoice(Settings& settings, int choice);
