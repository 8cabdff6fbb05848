// The one writer of the program's INI files. It sets one value the way the system's profile writer
// would, but never leaves a file empty, cut short or re-encoded: it reads the file as bytes, changes
// only the key's line (or adds the key or its section), writes the result to a temporary file in the
// same folder, flushes it to disk and then renames it over the file. Until that rename the file is
// the old one; after it, the new one.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace config {

// Writes value under section and key (ANSI texts) into the file at path, creating the file and the
// section as needed. A file that already holds the value is not written. On failure the file is
// as it was, no temporary file is left, the cause is logged and base::Error "Unable to write to
// <path>" is raised.
void WriteIniFileValue(const std::wstring& path, const std::string& section, const std::string& key,
                       const std::string& value);

// The same for several keys of one section that change together: one read, one temporary file, one
// rename, so the file holds either none of the new values or all of them.
using IniKeyValues = std::vector<std::pair<std::string, std::string>>;
void WriteIniFileValues(const std::wstring& path, const std::string& section, const IniKeyValues& values);

// For tests: called with the temporary file's path once it is written and flushed, just before it
// replaces the file. An exception from the hook fails the write like any other failure.
void SetIniReplaceHookForTests(std::function<void(const std::wstring& temporaryPath)> hook);

}  // namespace config
