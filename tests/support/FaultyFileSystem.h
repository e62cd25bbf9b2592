#pragma once
// The real file system, except that one chosen step fails with a chosen errno value.

#include <fcntl.h>

#include <optional>
#include <string>

#include "diary/FileSystem.h"

enum class FileStep { CreateFile, Write, Flush, Close, Rename, FlushFolder, ProcessLookup };

class FaultyFileSystem : public PosixFileSystem {
public:
    FaultyFileSystem() = default;
    FaultyFileSystem(FileStep step, int error) : m_step(step), m_error(error) {}

    void Fail(FileStep step, int error) {
        m_step = step;
        m_error = error;
    }
    void Heal() { m_step.reset(); }
    // Every process number but our own counts as gone.
    void PretendOtherProcessesGone() { m_othersGone = true; }

    int Open(const std::string& path, int flags, mode_t mode, int& descriptor) override {
        if ((flags & O_CREAT) && Failing(FileStep::CreateFile)) return m_error;
        return PosixFileSystem::Open(path, flags, mode, descriptor);
    }
    int WriteAll(int descriptor, const void* data, std::size_t size) override {
        return Failing(FileStep::Write) ? m_error
                                        : PosixFileSystem::WriteAll(descriptor, data, size);
    }
    int Flush(int descriptor) override {
        return Failing(FileStep::Flush) ? m_error : PosixFileSystem::Flush(descriptor);
    }
    int Close(int descriptor) override {
        const int error = PosixFileSystem::Close(descriptor);  // never leak the descriptor
        return Failing(FileStep::Close) ? m_error : error;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return Failing(FileStep::Rename) ? m_error : PosixFileSystem::Rename(from, to);
    }
    int FlushFolder(const std::string& folder) override {
        return Failing(FileStep::FlushFolder) ? m_error : PosixFileSystem::FlushFolder(folder);
    }
    bool ProcessExists(long process) override {
        if (m_othersGone) return process == ProcessId();
        return PosixFileSystem::ProcessExists(process);
    }

private:
    bool Failing(FileStep step) const { return m_step == step; }

    std::optional<FileStep> m_step;
    int m_error = 0;
    bool m_othersGone = false;
};
