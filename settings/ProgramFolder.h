#pragma once

#include <functional>

#include <QString>

namespace kelvo::settings {

// Whether a file is there; tests replace it.
using FileExists = std::function<bool(const QString&)>;
bool IsFile(const QString& path);

// The readme an installation puts with the documentation (<prefix>/share/doc/kelvo/readme.txt for a
// program in <prefix>/bin), found from the program folder so a package, a "cmake --install" into any prefix
// and a moved prefix all find their own copy.
QString InstalledReadmePath(const QString& appFolder);

// Whether the program runs from an installation rather than a portable folder: its readme was installed
// with the documentation. An installed program keeps its settings in the per-user folder even when it could
// write to its own folder (as root, for instance), so nothing is ever added to a system folder.
bool RunsInstalled(const QString& appFolder, const FileExists& exists = IsFile);

// The readme the "Readme" commands open: "readme.txt" in the program folder when it is there (a portable
// folder, or a readme the user put beside an installed program), otherwise the installed copy, so an
// installed program never opens nothing. When neither exists, the program folder's path, which opens
// nothing.
QString ReadmePath(const QString& appFolder, const FileExists& exists = IsFile);

} // namespace kelvo::settings
