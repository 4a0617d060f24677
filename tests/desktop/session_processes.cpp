#include "desktop/session_processes.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

// Plain POSIX and the standard library only: the keeper runs this code in a fork of a program whose
// Qt it must not touch.
namespace quorvel::desktop {

namespace {
constexpr const char *markName = "QUORVEL_DESKTOP_SESSION";
constexpr int keeperGraceMs = 3000;

std::string readProcFile(pid_t pid, const char *name)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/" + name;
    std::string text;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(fd);
    return text;
}

std::vector<pid_t> allProcesses()
{
    std::vector<pid_t> pids;
    if (DIR *proc = opendir("/proc")) {
        while (const dirent *entry = readdir(proc)) {
            char *end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (pid > 0 && *end == '\0')
                pids.push_back(pid_t(pid));
        }
        closedir(proc);
    }
    return pids;
}

std::string commandOf(pid_t pid)
{
    std::string command = readProcFile(pid, "cmdline");
    std::replace(command.begin(), command.end(), '\0', ' ');
    while (!command.empty() && command.back() == ' ')
        command.pop_back();
    return command.substr(0, 160);
}

// /proc/PID/stat reads "pid (command) state ppid ..."; the command may itself hold blanks and ")".
bool readStat(pid_t pid, char &state, pid_t &parent)
{
    const std::string stat = readProcFile(pid, "stat");
    const size_t close = stat.rfind(')');
    int ppid = 0;
    if (close == std::string::npos || std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &ppid) != 2)
        return false;
    parent = pid_t(ppid);
    return true;
}

// True if the environment block (NAME=VALUE entries, each ended by a NUL) holds the entry. A zombie's
// block reads empty: it runs no more.
bool holds(const std::string &environment, const std::string &entry)
{
    for (size_t at = 0; at < environment.size();) {
        size_t end = environment.find('\0', at);
        if (end == std::string::npos)
            end = environment.size();
        if (environment.compare(at, end - at, entry) == 0)
            return true;
        at = end + 1;
    }
    return false;
}

std::vector<pid_t> marked(const std::string &mark, std::initializer_list<pid_t> except)
{
    std::vector<pid_t> found;
    for (const pid_t pid : allProcesses()) {
        if (std::find(except.begin(), except.end(), pid) == except.end() && holds(readProcFile(pid, "environ"), mark))
            found.push_back(pid);
    }
    return found;
}

// A process to end, held by a pid file descriptor where the kernel has them: it names the process
// itself, so a pid reused meanwhile by another process gets no signal.
struct Target {
    pid_t pid;
    int fd;
};

// Through syscall(): Debian 12's C library declares the wrappers without C linkage for C++.
int pidfdOpen(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

void send(const Target &t, int number)
{
    if (t.fd >= 0)
        syscall(SYS_pidfd_send_signal, t.fd, number, nullptr, 0);
    else
        kill(t.pid, number);
}

bool exited(const Target &t)
{
    waitpid(t.pid, nullptr, WNOHANG); // reaps it if it is a child (or an adopted orphan) of this process
    if (t.fd >= 0) {
        pollfd p{t.fd, POLLIN, 0};
        return poll(&p, 1, 0) > 0;
    }
    char state = 0;
    pid_t parent = 0;
    return !readStat(t.pid, state, parent) || state == 'Z' || state == 'X';
}

bool allExited(const std::vector<Target> &targets, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (std::all_of(targets.begin(), targets.end(), exited))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The keeper's life: it waits for a word from the session's process. The pipe closing without one
// means that process died before ending its desktop; then the keeper ends it. It ignores the
// signals a terminal sends its foreground programs (Ctrl+C, a hang-up), which would end the test
// program and the keeper at once.
[[noreturn]] void keep(int pipe, const std::string &mark, pid_t sessionProcess)
{
    prctl(PR_SET_NAME, "desktop-keeper"); // as ps lists it, apart from the test program
    for (const int number : {SIGINT, SIGQUIT, SIGTERM, SIGHUP})
        std::signal(number, SIG_IGN);
    char word = 0;
    ssize_t n = 0;
    while ((n = read(pipe, &word, 1)) < 0 && errno == EINTR) {
    }
    if (n != 1) {
        const std::vector<pid_t> left = marked(mark, {getpid(), sessionProcess});
        for (const pid_t pid : left)
            std::fprintf(stderr, "desktop session: the test program ended before its desktop; ending pid %d (%s)\n",
                         int(pid), commandOf(pid).c_str());
        SessionProcesses::end(left, keeperGraceMs);
    }
    _exit(0);
}
} // namespace

void SessionProcesses::begin()
{
    finish();
    std::random_device random;
    const std::string value = std::to_string(getpid()) + "-" + std::to_string(random()) + std::to_string(random());
    setenv(markName, value.c_str(), 1);
    m_mark = std::string(markName) + "=" + value;
    prctl(PR_SET_CHILD_SUBREAPER, 1);

    int fds[2] = {-1, -1};
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    const pid_t sessionProcess = getpid();
    const pid_t keeper = fork();
    if (keeper == 0) {
        close(fds[1]);
        keep(fds[0], m_mark, sessionProcess);
    }
    close(fds[0]);
    if (keeper < 0) {
        close(fds[1]);
        return;
    }
    m_keeper = keeper;
    m_keeperPipe = fds[1];
}

std::vector<SessionProcess> SessionProcesses::running() const
{
    std::vector<SessionProcess> found;
    if (m_mark.empty())
        return found;
    for (const pid_t pid : marked(m_mark, {getpid(), m_keeper}))
        found.push_back({pid, QString::fromLocal8Bit(commandOf(pid))});
    return found;
}

std::vector<pid_t> SessionProcesses::descendantsOf(pid_t root)
{
    std::multimap<pid_t, pid_t> children; // by parent
    for (const pid_t pid : allProcesses()) {
        char state = 0;
        pid_t parent = 0;
        if (readStat(pid, state, parent))
            children.emplace(parent, pid);
    }
    std::vector<pid_t> below{root};
    for (size_t i = 0; i < below.size(); ++i) {
        const auto [first, last] = children.equal_range(below[i]);
        for (auto it = first; it != last; ++it)
            below.push_back(it->second);
    }
    below.erase(below.begin());
    return below;
}

void SessionProcesses::end(const std::vector<pid_t> &pids, int graceMs)
{
    std::vector<Target> targets;
    for (const pid_t pid : pids) {
        const int fd = pidfdOpen(pid);
        if (fd >= 0 || errno == ENOSYS) // else it is gone already
            targets.push_back({pid, fd});
    }
    for (const Target &t : targets)
        send(t, SIGTERM);
    if (!allExited(targets, graceMs)) {
        for (const Target &t : targets)
            send(t, SIGKILL);
        allExited(targets, graceMs);
    }
    for (const Target &t : targets) {
        if (t.fd >= 0)
            close(t.fd);
    }
}

void SessionProcesses::reapOrphans()
{
    const pid_t self = getpid();
    for (const pid_t pid : allProcesses()) {
        char state = 0;
        pid_t parent = 0;
        if (readStat(pid, state, parent) && parent == self && state == 'Z')
            waitpid(pid, nullptr, WNOHANG);
    }
}

void SessionProcesses::finish()
{
    if (m_keeper <= 0)
        return;
    // A keeper that is gone already (someone ended it) must not end this process with a SIGPIPE.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    const char word = 'e';
    if (write(m_keeperPipe, &word, 1) != 1)
        kill(m_keeper, SIGKILL);
    std::signal(SIGPIPE, previous);
    close(m_keeperPipe);
    waitpid(m_keeper, nullptr, 0);
    m_keeper = -1;
    m_keeperPipe = -1;
}

QString describe(const std::vector<SessionProcess> &processes)
{
    QStringList lines;
    for (const SessionProcess &p : processes)
        lines.append(QStringLiteral("pid %1 (%2)").arg(p.pid).arg(p.command));
    return lines.join(QLatin1Char('\n'));
}

} // namespace quorvel::desktop
