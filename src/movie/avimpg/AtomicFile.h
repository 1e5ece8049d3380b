#pragma once

#include <string>

// The output file, written so that a failure or an interruption never leaves it cut short: the
// bytes go to an unnamed file in the target's folder (a file system without those gets
// "TARGET.avimpg-XXXXXX", removed on failure and on SIGINT, SIGTERM or SIGHUP), and only Commit()
// links them in place of the target. Failures throw AvimpgError.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Writes all of DATA; false (see WriteError) when the system refuses.
    bool Write(const unsigned char* data, int size);
    int WriteError() const { return m_writeError; }

    void Commit();

private:
    [[noreturn]] void Fail(int error);
    void Abandon();

    std::string m_target;
    std::string m_part;  // the named file while it exists
    int m_fd = -1;
    int m_writeError = 0;
};
