#pragma once

#include <mutex>
#include <string>

namespace mullion {

// The process's current directory as a full Windows path. It starts as the Z: path of the
// host directory the program was started in (or that directory's path through another drive
// when Z: does not hold it).
class CurrentDirectory {
public:
    static CurrentDirectory& instance();

    std::string get();
    void set(std::string windows_path);
    // Starts over from the host's working directory and the drive map as they are now.
    void reset();

private:
    CurrentDirectory() = default;

    std::mutex m_mutex;
    std::string m_path;
};

} // namespace mullion
