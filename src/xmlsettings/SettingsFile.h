#pragma once

#include <cstdint>
#include <functional>
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
  kChangedMeanwhile,  // another program saved the file during every try; its save stands
};

// How often a change is made afresh on the file that another program saved while it was made.
inline constexpr int kChangeRetries = 3;

// What a change did to the document it was given.
enum class ChangeStep : std::uint8_t {
  kSave,           // changed: save it
  kNothingToSave,  // nothing to change: the file stays as it is
  kCannotChange,   // the change cannot be made: the file stays as it is
};

// Whether the path names what is no file at all: a directory, or a FIFO, a socket, a device or a
// pipe, whose reading could wait for ever. A change refuses it at once, before it waits for the
// file's lock; a missing file is left to the lock and the load, as a save of another program may
// be putting it back in place at that moment.
[[nodiscard]] bool NamesNoFile(const FileSystem& files, WideView file_name);

// One settings file loaded for one call; null when it is missing, unreadable or not well-formed.
// Raises XmlDomError when no DOM can be created.
std::unique_ptr<XmlDocument> LoadSettingsFile(const XmlDomFactory& xml, WideView file_name);

// Changes a settings file under its change lock: loads it, lets `change` change the document and
// saves it in one step. When another program saved the file after the load, the load and the
// change are made again on what it saved, at most kChangeRetries times, and its save is never
// overwritten. kSaved also when there was nothing to save; else where it stopped, with the file
// as it was. `change` may raise: that stops it at kNotChanged.
[[nodiscard]] ChangeStop ChangeSettingsFile(const SettingsServices& services, WideView file_name,
                                            const std::function<ChangeStep(XmlDocument&)>& change);

}  // namespace tovrel
