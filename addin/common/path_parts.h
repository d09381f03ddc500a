// Path parts of output and project paths. Paths use the platform's separator;
// each helper takes the separator as a parameter so the Windows forms
// ("C:\out\Book1\index.htm") can be exercised on any platform.
#pragma once

#include <string>
#include <string_view>

namespace qm {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A path that is empty or holds no separator comes back unchanged. Otherwise:
// folderPart false → the text after the last separator (the file part);
// folderPart true → the text before it (the folder part); both flags true →
// the file part of that folder part (the folder name).
std::string PathPart(std::string_view path, bool folderPart, bool folderName = false,
                     char separator = kPathSeparator);

// The text before its last "."; the whole text when it holds no ".".
std::string StripExtension(std::string_view text);

// Joins a folder and a name with the separator (no doubling when the folder
// already ends with one; the name alone when the folder is empty).
std::string JoinPath(std::string_view folder, std::string_view name, char separator = kPathSeparator);

}  // namespace qm
