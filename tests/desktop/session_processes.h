#pragma once
// The processes of one test desktop, told apart from every other process on the machine (other
// desktops of parallel tests included) by a mark in their environment. Whatever the session starts
// inherits the mark, and so does whatever those start in turn: the speech server a screen reader
// spawns, the accessibility daemons, the services a bus activates (a bus daemon hands them its own
// environment), anything a window manager runs. So the session ends exactly its own processes,
// grandchildren included, and can name any that escaped it.
//
// Two things cover a test program that dies without ending them (a crash, an abort at a test
// function's time limit, ctest's kill at the test's time limit):
// - this process becomes the reaper of orphans below it, so a daemon that detaches from its parent
//   stays in this process's tree, which ctest kills as a whole on a timeout;
// - a keeper process waits on a pipe from this one; when the pipe closes without a word, this
//   process is gone and the keeper ends every marked process.

#include <QString>

#include <sys/types.h>

#include <string>
#include <vector>

namespace quorvel::desktop {

struct SessionProcess {
    pid_t pid;
    QString command;
};

class SessionProcesses
{
public:
    SessionProcesses() = default;
    ~SessionProcesses() { finish(); }
    SessionProcesses(const SessionProcesses &) = delete;
    SessionProcesses &operator=(const SessionProcesses &) = delete;

    // Marks this process's environment (everything started from now on carries the mark) and starts
    // the keeper. Call it before starting anything, while this process has one thread: the keeper is
    // a fork that does not exec.
    void begin();
    bool begun() const { return !m_mark.empty(); }

    // The marked processes other than this one and the keeper.
    std::vector<SessionProcess> running() const;
    // The processes below the given one (children, their children, ...), deepest last.
    static std::vector<pid_t> descendantsOf(pid_t root);
    // Ends the processes: asked to end, then after graceMs killed; waits for each to be gone.
    static void end(const std::vector<pid_t> &pids, int graceMs);

    // Reaps the processes that ended as children of this one: the detached ones come to it as
    // orphans (it is their reaper) and would otherwise stay zombies while it runs.
    static void reapOrphans();

    // Tells the keeper that this process has ended what it started, and waits for it to go.
    void finish();

private:
    std::string m_mark; // NAME=VALUE, as in an environment block
    pid_t m_keeper = -1;
    int m_keeperPipe = -1;
};

// "pid 123 (speech-dispatcher --spawn ...)", one per line.
QString describe(const std::vector<SessionProcess> &processes);

} // namespace quorvel::desktop
