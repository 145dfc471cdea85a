#pragma once

#include <cstdint>
#include <memory>

#include "platform/FileSystem.h"
#include "platform/XmlDom.h"

namespace tovrel {

// What reading and writing a settings file needs from the platform.
struct SettingsServices {
  const XmlDomFactory& xml;
  const FileSystem& files;
};

// Where a change of a settings file stopped short of saving it; the file is then as it was.
enum class ChangeStop : std::uint8_t {
  kSaved,        // it did not stop: the file was saved
  kNoLock,       // the file's lock was not taken: no file at all (NamesNoFile), a missing file, or
                 // another change held it
  kNotLoaded,    // the file does not load as a document
  kNotChanged,   // the path or the section could not be found, made or set
  kNotWritten,   // the changed document could not be written whole or would not read back
  kNotReplaced,  // the file could not be replaced, read-only for one
};

// Whether the path names what is no file at all: a directory, or a FIFO, a socket, a device or a
// pipe, whose reading could wait for ever. A change refuses it at once, before it waits for the
// file's lock; a missing file is left to the lock and the load, as a save of another program may
// be putting it back in place at that moment.
[[nodiscard]] bool NamesNoFile(const FileSystem& files, WideView file_name);

// One settings file loaded for one call; null when it is missing, unreadable or not well-formed.
// Raises XmlDomError when no DOM can be created.
std::unique_ptr<XmlDocument> LoadSettingsFile(const XmlDomFactory& xml, WideView file_name);

// Writes the document over the file in one step: kSaved, or kNotWritten or kNotReplaced with the
// file unchanged.
[[nodiscard]] ChangeStop SaveSettingsFile(const SettingsServices& services,
                                          const XmlDocument& document, WideView file_name);

}  // namespace tovrel
