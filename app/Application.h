#pragma once

// Starts the program: the application object, the main form and the message loop.
// Returns the program's exit code. The only command-line switch is --data-check,
// which makes the data-check panel's check box reachable in the settings panel.
int runDivisheet(int argc, char *argv[]);
