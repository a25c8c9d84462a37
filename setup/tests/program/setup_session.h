// Support for the Setup program's end-to-end tests: a scratch directory holding Setup.ini,
// Setup.txt and the source tree beside the program, a drive C: inside it, and a scripted run
// whose captures (dump and snapshot) are read back afterwards.
#pragma once

#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace setup_tests {

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramResult;
using mullion::testing::rgb_pixel;
using nlohmann::json;

// The Setup.ini entries of a normal run: copy Files to C:\Vantrel, no shortcut, 60000 bytes,
// plain copies with the names unchanged.
std::vector<std::string> DefaultIniEntries();
// Thirty-four Setup.txt entries, each recognisable in the dialogs.
std::vector<std::string> DefaultTextEntries();

// Window titles the default Setup.txt gives.
inline const std::string kWelcomeTitle = "Welcome";
inline const std::string kLocationTitle = "Install Location";
inline const std::string kCancelTitle = "Cancel Setup";
inline const std::string kProgressTitle = "Installing";
inline const std::string kFinishTitle = "Setup Complete";
inline const std::string kReplaceTitle = "Replace File";
inline const std::string kCancelledTitle = "Setup Cancelled";
inline const std::string kBrowseTitle = "Pick Directory";

// The text control of a message box.
constexpr int kMessageBoxText = 0xFFFE;

class SetupSession {
public:
    SetupSession();

    // Rewrites a configuration file beside the program; lines end with a carriage return and
    // a line feed.
    void WriteIni(const std::vector<std::string>& entries);
    void WriteText(const std::vector<std::string>& entries);
    void RemoveFile(const std::string& name);
    // A file of the source tree ("Files/sub/a.txt"), relative to the program's directory.
    void WriteSource(const std::string& relative, const std::string& contents);
    // The free space drive C: reports.
    void SetFreeBytes(unsigned long long bytes);
    // Another drive, as MULLION_DRIVES writes it ("D=/host/dir:cdrom").
    void AddDrive(const std::string& spec);

    // The program's directory (its current directory as a host path) and drive C:.
    const std::filesystem::path& Directory() const { return m_run.directory(); }
    std::filesystem::path DriveC() const { return Directory() / "drive_c"; }

    SetupSession& Step(const std::string& step);
    SetupSession& Capture(const std::string& name);
    // Waits for a window, then captures.
    SetupSession& CaptureWhenShown(const std::string& title, const std::string& name);
    // Captures a message box that the copying thread's work brings up. Its caption is the
    // program's name, which the backdrop shares, so no window step can wait for it: the steps
    // wait until the thread has ended or waits for the answer.
    SetupSession& CaptureAfterCopy(const std::string& name);
    // Runs the steps; the program is told to quit afterwards unless it ends by itself.
    ProgramResult Finish(bool quit = true);

    const Dump& DumpOf(const std::string& name);
    PngImage ImageOf(const std::string& name) const;

private:
    void UpdateDrives();

    mullion::testing::ProgramRun m_run;
    std::string m_script;
    unsigned long long m_freeBytes = 10000000;
    std::string m_extraDrives;
    std::map<std::string, Dump> m_dumps;
};

// The top-level window with that title, failing the test when there is none.
const json& Window(const Dump& dump, const std::string& title);
const json& Control(const json& window, int id);
std::string Text(const json& window, int id);
// The message box with that caption, or null.
const json* MessageBoxWindow(const Dump& dump, const std::string& caption);
std::string MessageBoxText(const json& box);

std::string ReadHostFile(const std::filesystem::path& path);
// Sets a file's last-write time, in seconds since 1970 (UTC).
void SetWriteTime(const std::filesystem::path& path, long long unixSeconds);

} // namespace setup_tests
