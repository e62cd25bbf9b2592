#pragma once
// The real processes, except that a test may play a second program or have every other one end.

#include "diary/Processes.h"

class PretendProcesses : public PosixProcesses {
public:
    // Every process number but our own counts as gone.
    void PretendOtherProcessesGone() { m_othersGone = true; }
    // Our process number is another (1, init, always runs): a second program.
    void PretendProcessId(long process) { m_processId = process; }

    bool ProcessExists(long process) override {
        if (m_othersGone) return process == ProcessId();
        return PosixProcesses::ProcessExists(process);
    }
    long ProcessId() override { return m_processId ? m_processId : PosixProcesses::ProcessId(); }

private:
    bool m_othersGone = false;
    long m_processId = 0;
};
