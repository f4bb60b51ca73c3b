#pragma once

// Modes in which divisheet_bench runs as a child of itself, so that start-up and memory
// are measured in a fresh process that does what the program does.
namespace divisheet::bench {

// If argv asks for a child mode, runs it and returns its exit code; otherwise -1.
int runChildMode(int argc, char *argv[]);

// `--pdf-child ARGS`: runs the program with ARGS, then prints its peak memory in MiB.
int pdfChild(int argc, char *argv[]);

} // namespace divisheet::bench
