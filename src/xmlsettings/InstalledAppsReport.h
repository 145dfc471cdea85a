#pragma once

#include <cstddef>

#include "detect/InstalledAppsList.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel {

// What writing one section of the report came to.
enum class SectionWrite {
  kNothingToDo,  // no section node and nothing to list: the file is left alone
  kSaved,        // the section was rewritten (or removed) and the file saved
  kFailed,       // the file could not be loaded, changed or saved; it is as it was
};

// Rewrites the section node a path names so that it holds one APP<n> element per list entry
// (attribute NAME the display name, text the directory) and nothing else; removes the section
// when the list is empty; creates it when missing and the list is not empty. `stop`, when given,
// tells where a failure came from.
SectionWrite XMLWriteAppList(const SettingsServices& services, const InstalledAppsList& list,
                             WideView file_name, WideView node_path, ChangeStop* stop = nullptr);

// Appends the element APP<index + 1> with the display name as its NAME and the directory as its
// text, both without the characters XML cannot hold.
void XMLAddAppNode(XmlNode& node, std::size_t index, WideView directory, WideView display_name);

}  // namespace tovrel
