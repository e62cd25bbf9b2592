#pragma once
// Path pieces: the folder and the name of a path, and the names of the files kept beside a
// diary. The core and the command line take them from here alone.

#include <cstddef>
#include <string>

namespace file_names {

// The folder of a path ("." for a bare name).
std::string FolderOf(const std::string& path);
// The last part of a path.
std::string NameOf(const std::string& path);
// The path of a name in a folder ("/" and "." as FolderOf gives them).
std::string Join(const std::string& folder, const std::string& name);
// ".NAME" + suffix, with NAME shortened so the whole stays within `longest` bytes.
std::string HiddenCompanion(const std::string& name, const std::string& suffix,
                            std::size_t longest);

}  // namespace file_names
