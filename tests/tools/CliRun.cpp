#include "CliRun.h"

#include "CommandLine.h"

#include <iostream>
#include <sstream>

CliRun runCliCommand(
    int (*command)(const std::vector<std::string>&), const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    CliRun run;
    try {
        run.code = command(arguments);
    } catch (const UsageError& error) {
        run.code = 2;
        err << error.what();
    } catch (const std::exception& error) {
        run.code = 1;
        err << error.what();
    }
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    run.out = out.str();
    run.err = err.str();
    return run;
}
