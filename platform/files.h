// File-system helpers for the core, one implementation per platform.
//
// Paths are native narrow strings: the ANSI code page on Windows, UTF-8
// elsewhere. Messages are the system's 8-bit text, so a path that goes into a
// message passes through pathForMessage() first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tts::files {

// A system error code (errno; GetLastError() on Windows) in the user's words,
// as the end of a Spanish message ("no existe", "acceso denegado" ...).
std::string systemReason(unsigned long code);

// The path as 8-bit ANSI text for an error message.
std::string pathForMessage(const std::string& path);

// Joins a folder and a name with the platform's separator (none doubled).
std::string join(const std::string& folder, const std::string& name);

// True when a regular file exists at the path.
bool exists(const std::string& path);

// True when a folder exists at the path.
bool isFolder(const std::string& path);

// The path of the entry called `name` inside `folder`, found whatever the letter
// case of the name on case-sensitive file systems (exact match preferred); the
// plain join when no entry matches. On Windows: always the plain join.
std::string findEntry(const std::string& folder, const std::string& name);

// Deletes a file; a failure is not reported (returns false).
bool removeQuietly(const std::string& path);

// Reads a whole file; throws Error naming the file when it cannot be read.
std::vector<uint8_t> readAll(const std::string& path);

// Writes a whole file, replacing it; throws Error naming the file.
void writeAll(const std::string& path, const std::vector<uint8_t>& bytes);

// Moves `from` over `to` in one step, replacing `to` when it exists (same
// folder or same volume). Throws Error naming both files.
void replace(const std::string& from, const std::string& to);

// Creates a new, empty folder with a unique name starting with `prefix` inside
// `parent`, and returns its path. Throws Error naming the parent folder.
std::string makeUniqueFolder(const std::string& parent, const std::string& prefix);

// Removes a folder and everything in it; failures are not reported.
void removeTreeQuietly(const std::string& path);

// The names of the entries of a folder (files and folders, no "." or ".."),
// in no particular order; empty when the folder cannot be read.
std::vector<std::string> list(const std::string& folder);

// Folder part of a path (up to and including the last separator, or a drive
// colon), and the name part after it.
std::string folderPart(const std::string& path);
std::string namePart(const std::string& path);

}  // namespace tts::files
