// The problem log: one line per problem on the standard error stream, and
// the latest lines in a small file beside the player's files (log_file.h).
#include "platform/problem_log.h"

#include "platform/game_files.h"
#include "platform/log_file.h"

#include <cstdio>
#include <deque>
#include <string>

namespace {

constexpr const char* logPath = "Data/trigonix.log";
constexpr std::size_t keptBytes = 4096;
constexpr std::size_t longestLine = 300;

struct ProblemRecord {
    std::deque<std::string> lines;  // oldest first, each with its line end
    std::size_t bytes = 0;
};

ProblemRecord problems;

void keep(const std::string& line)
{
    problems.lines.push_back(line);
    problems.bytes += line.size();
    while (problems.bytes > keptBytes) {
        problems.bytes -= problems.lines.front().size();
        problems.lines.pop_front();
    }
}

// The whole file is written again each time: it is small, and so it always
// holds whole lines and never more than the last few kilobytes.
void writeLog()
{
    std::string bytes;
    for (const std::string& line : problems.lines)
        bytes += line;
    rewriteLogFile(gameFilePath(logPath), bytes);
}

}  // namespace

namespace {

// The line for a problem, or an empty one when the log already holds it.
std::string newLine(const char* file, const char* reason)
{
    std::string line = std::string("trigonix: ") + (file != nullptr ? file : "?") + ": " +
                       (reason != nullptr && reason[0] != '\0' ? reason : "unknown reason");
    // A reason may carry line breaks of its own (a message box's text).
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    for (char& c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    if (line.size() > longestLine)
        line.resize(longestLine);
    line += '\n';
    for (const std::string& kept : problems.lines) {
        if (kept == line)
            return std::string();
    }
    return line;
}

}  // namespace

void reportProblem(const char* file, const char* reason)
{
    const std::string line = newLine(file, reason);
    if (line.empty())
        return;
    std::fputs(line.c_str(), stderr);
    keep(line);
    writeLog();
}

void logProblem(const char* file, const char* reason)
{
    const std::string line = newLine(file, reason);
    if (line.empty())
        return;
    keep(line);
    writeLog();
}

void startProblemLog() { emptyLogFile(gameFilePath(logPath)); }
