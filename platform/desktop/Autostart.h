#pragma once
// Start at login through an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/<name>.desktop).
#include "platform/core/System.h"

AnsiString AutostartDirectory();
// Writes the entry atomically; false when it cannot be written.
bool WriteAutostartEntry(const AnsiString& name, const AnsiString& programPath);
// False when there was an entry that could not be removed.
bool RemoveAutostartEntry(const AnsiString& name);
bool AutostartEntryExists(const AnsiString& name);

// The program path as one argument of a desktop entry's Exec key, quoted
// where the Desktop Entry Specification requires it, and escaped for the
// key file.
AnsiString DesktopExecArgument(const AnsiString& path);
