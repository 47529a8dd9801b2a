#include "common/paths.h"

std::u16string_view directoryOfPath(std::u16string_view executablePath) {
  const auto slash = executablePath.rfind(u'\\');
  if (slash == std::u16string_view::npos) return {};
  return executablePath.substr(0, slash);
}

std::u16string fileBesideProgram(std::u16string_view executablePath, std::u16string_view relativeName) {
  std::u16string path(directoryOfPath(executablePath));
  path += u'\\';
  path += relativeName;
  return path;
}
