#include "CliRun.h"

#include <iostream>
#include <sstream>

CliRun runCli(const std::vector<std::string>& words, const std::vector<CliCommand>& commands)
{
    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    CliRun run;
    run.code = runVanteloCli(words, commands);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    run.out = out.str();
    run.err = err.str();
    return run;
}
