// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the built sifter-cli from the tests.
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace sifter::test {

struct CliResult {
    int status = -1; // exit status, or 128 + signal when killed
    std::string out;
    std::string err;
    long peakKilobytes = 0; // the most memory the program held (maximum resident set)
};

// Runs sifter-cli with args (in cwd when given) to its end, collecting both outputs.
CliResult RunCli(const std::vector<std::string> &args, const std::string &cwd = {});
// The same with standard output into outputFile (made empty first, as "> file" does);
// out is the file's content after the end.
CliResult RunCliIntoFile(const std::vector<std::string> &args, const std::string &outputFile,
                         const std::string &cwd = {});
// The same with input written into a pipe on its standard input.
CliResult RunCliWithInput(const std::vector<std::string> &args, const std::string &input);
// The same with standard output on a pseudo-terminal (raw: the bytes as written).
CliResult RunCliOnTerminal(const std::vector<std::string> &args);

// A sifter-cli still running, its standard output read as it comes.
class RunningCli {
public:
    explicit RunningCli(const std::vector<std::string> &args);
    // Kills the program if it still runs.
    ~RunningCli();
    RunningCli(const RunningCli &) = delete;
    RunningCli &operator=(const RunningCli &) = delete;

    bool Started() const { return pid_ > 0; }
    // The next line of standard output (without its newline), waiting up to timeout;
    // nothing when the output ended or the time ran out first.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // True while the program has not exited.
    bool StillRunning();
    // Waits up to timeout for the program to exit; false when it still runs.
    bool EndsWithin(std::chrono::milliseconds timeout);
    void Signal(int signalNumber);
    // Stops reading its output (a reader that went away).
    void CloseOutput();
    // Reads the rest of the output and waits for the end; returns the exit status.
    int Wait();
    const std::string &Output() const { return output_; }
    std::string ErrorOutput();

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    int status_ = -1;
    bool reaped_ = false;
    std::string output_;  // everything read so far
    std::string pending_; // read but not yet returned by ReadLine
};

} // namespace sifter::test
