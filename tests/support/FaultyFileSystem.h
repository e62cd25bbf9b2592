#pragma once
// The real file system, except that one chosen step fails with a chosen errno value.

#include <fcntl.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "diary/FileSystem.h"

enum class FileStep { CreateFile, Write, Flush, Close, Rename, FlushFolder };

class FaultyFileSystem : public PosixFileSystem {
public:
    FaultyFileSystem() = default;
    FaultyFileSystem(FileStep step, int error) : m_step(step), m_error(error) {}

    void Fail(FileStep step, int error) {
        m_step = step;
        m_error = error;
        m_occurrence = 0;
    }
    // Fails only the n-th time the step comes (1: the first), and never after.
    void FailOnce(FileStep step, int error, int occurrence) {
        Fail(step, error);
        m_occurrence = occurrence;
        m_seen = 0;
    }
    void Heal() { m_step.reset(); }
    // Runs `action` once, just before the step next comes: what another program does while
    // this one is held up there.
    void Before(FileStep step, std::function<void()> action) {
        m_delayedStep = step;
        m_delayed = std::move(action);
    }
    // Runs `action` before every step: a process that dies at some step throws from here.
    void BeforeEachStep(std::function<void()> action) { m_eachStep = std::move(action); }

    int Open(const std::string& path, int flags, mode_t mode, int& descriptor) override {
        EachStep();
        if ((flags & O_CREAT) && Failing(FileStep::CreateFile)) return m_error;
        if (flags & O_CREAT) Delay(FileStep::CreateFile);
        return PosixFileSystem::Open(path, flags, mode, descriptor);
    }
    int WriteAll(int descriptor, const void* data, std::size_t size) override {
        EachStep();
        Delay(FileStep::Write);
        return Failing(FileStep::Write) ? m_error
                                        : PosixFileSystem::WriteAll(descriptor, data, size);
    }
    int Flush(int descriptor) override {
        EachStep();
        Delay(FileStep::Flush);
        return Failing(FileStep::Flush) ? m_error : PosixFileSystem::Flush(descriptor);
    }
    int Close(int descriptor) override {
        const int error = PosixFileSystem::Close(descriptor);  // never leak the descriptor
        return Failing(FileStep::Close) ? m_error : error;
    }
    int Rename(const std::string& from, const std::string& to) override {
        EachStep();
        Delay(FileStep::Rename);
        return Failing(FileStep::Rename) ? m_error : PosixFileSystem::Rename(from, to);
    }
    int FlushFolder(const std::string& folder) override {
        EachStep();
        return Failing(FileStep::FlushFolder) ? m_error : PosixFileSystem::FlushFolder(folder);
    }

private:
    bool Failing(FileStep step) {
        if (m_step != step) return false;
        return m_occurrence == 0 || ++m_seen == m_occurrence;
    }
    void EachStep() {
        if (m_eachStep) m_eachStep();
    }
    void Delay(FileStep step) {
        if (m_delayedStep != step || !m_delayed) return;
        m_delayedStep.reset();
        std::exchange(m_delayed, nullptr)();
    }

    std::optional<FileStep> m_step;
    int m_error = 0;
    int m_occurrence = 0;
    int m_seen = 0;
    std::optional<FileStep> m_delayedStep;
    std::function<void()> m_delayed;
    std::function<void()> m_eachStep;
};
