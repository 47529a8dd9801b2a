#include "common/direction.h"

#include "common/globals.h"

std::u16string directionLabel(Direction direction) {
  return direction == Direction::EnglishChinese ? firstLanguage + u" " + secondLanguage
                                                : secondLanguage + u" " + firstLanguage;
}

std::u16string directionFileName(std::u16string_view prefix, Direction direction) {
  std::u16string name(prefix);
  name += direction == Direction::EnglishChinese ? u"_" + firstLanguage + u"_" + secondLanguage
                                                 : u"_" + secondLanguage + u"_" + firstLanguage;
  name += u".dat";
  return name;
}
