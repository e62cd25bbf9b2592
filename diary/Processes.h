#pragma once
// The questions a lock or a temporary file asks about processes: which one this is, on which
// machine, and whether another one still runs. Behind an interface so that tests can play a
// second program or one that has ended.

#include <string>

class Processes {
public:
    virtual ~Processes() = default;

    // False only when no process of that number exists on this machine.
    virtual bool ProcessExists(long process) = 0;
    virtual long ProcessId() = 0;
    virtual std::string HostName() = 0;
};

// The operating system's processes.
class PosixProcesses : public Processes {
public:
    bool ProcessExists(long process) override;
    long ProcessId() override;
    std::string HostName() override;
};

// The real processes, for callers that are given none.
Processes& RealProcesses();
