#pragma once

#include "vorloctl/CommandSpec.h"

// The commands of vorloctl, one spec each. Each command's run returns the
// process exit code (see ExitCode) and writes errors to standard error.

// Prints the MIDI input and output port names.
CommandSpec portsCommand();
// Looks for the keyboard and prints what it found.
CommandSpec detectCommand();
// Prints the catalogue of the dialect's named message kinds.
CommandSpec catalogueCommand();
// Prints a message given as hex bytes, and what it is.
CommandSpec describeCommand();
// Reads every setting from the keyboard into a settings file.
CommandSpec readCommand();
// Sends a settings file to the keyboard and stores it into a memory.
CommandSpec sendCommand();
// Prints or sets the velocity gains of the eight pads.
CommandSpec padsCommand();
// Streams a firmware file to the keyboard's boot loader.
CommandSpec flashCommand();
// Writes the settings file of "Default Values".
CommandSpec defaultsCommand();
// Loads a settings file onto the defaults and writes its MIDI chart.
CommandSpec chartCommand();
// Loads a settings file onto the defaults and saves it again.
CommandSpec normalizeCommand();
// Lists the settings that differ between two settings files, or a file and the keyboard.
CommandSpec diffCommand();
