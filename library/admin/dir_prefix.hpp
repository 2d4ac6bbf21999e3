#pragma once
// Folder containment for the directory right check. Paths are compared in a
// lexical normal form, so "/" against "\", doubled separators, "." and ".."
// cannot make a path look as if it lay under a folder it leaves, and a folder
// admits only paths at or below its own boundary ("d:\ftp\sales" does not
// admit "d:\ftp\salesold").
#include <string>
#include <string_view>

namespace vantrel::admin {

// "/" becomes "\", runs of separators become one, "." components go, ".."
// removes the component before it but never climbs above the root ("X:\",
// "\\server\share\" or a leading "\"); a trailing separator goes except on a
// root. Letter case is kept. Relative paths keep leading ".." components,
// and a leading ".\" where their first component reads as a drive ("d:").
std::u16string NormaliseFolderPath(std::u16string_view path);

// True when `path` is `folder` or lies below it, both normalised, compared
// without regard to letter case. An empty folder admits nothing.
bool IsWithinFolder(std::u16string_view path, std::u16string_view folder);

// IsWithinFolder, and where `path` really leads (links, junctions, short
// names resolved: storage/real_location.hpp) lies in where `folder` leads.
// The check for rights: no link inside a folder admits what it points to.
bool IsReallyWithinFolder(std::u16string_view path, std::u16string_view folder);

}  // namespace vantrel::admin
