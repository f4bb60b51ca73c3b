#pragma once

namespace divisheet {

struct CommandLineOptions;

// The program: a worker of the server (see runServeJob()) or, for everything else, runDivisheet()
// with `divisheet serve` run by runServer().
int runProgram(int argc, char *argv[]);

// `divisheet serve`: listens where the options say, answers until SIGTERM or SIGINT, then
// finishes the requests in hand and returns 0; 1 when the address cannot be taken.
int runServer(int &argc, char *argv[], const CommandLineOptions &options);

} // namespace divisheet
