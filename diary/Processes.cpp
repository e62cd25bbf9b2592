#include "diary/Processes.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

bool PosixProcesses::ProcessExists(long process) {
    if (process <= 0) return false;
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
}

long PosixProcesses::ProcessId() {
    return static_cast<long>(::getpid());
}

std::string PosixProcesses::HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

Processes& RealProcesses() {
    static PosixProcesses processes;
    return processes;
}
