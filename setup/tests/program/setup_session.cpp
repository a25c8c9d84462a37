#include "setup_session.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/time.h>

namespace setup_tests {

namespace {
void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\r\n";
}
} // namespace

std::vector<std::string> DefaultIniEntries() {
    return {"Files",   "C:\\Vantrel", "Vantrel Samples", "NULL",
            "Vantrel", "60000",       "UNCOMPRESSED",    "NONE"};
}

std::vector<std::string> DefaultTextEntries() {
    return {"Okay",
            "Stop",
            "Vantrel Samples Setup",
            "unused 4",
            kWelcomeTitle,
            "Welcome to the %s installer. 100%% free.",
            kLocationTitle,
            "%s will be installed here:",
            kCancelTitle,
            "Do you really want to stop?",
            kProgressTitle,
            "Copying file",
            "into",
            kFinishTitle,
            "%s is now installed.",
            "Disk Full",
            "There is not enough room.",
            kReplaceTitle,
            "The folder already holds '%s'.",
            "Replace the file",
            "changed %s",
            "with this one?",
            "All",
            "Replace",
            "unused 25",
            "unused 26",
            kCancelledTitle,
            "Nothing more was installed.",
            "A file could not be expanded.",
            "unused 30",
            kBrowseTitle,
            "Current:",
            "New:",
            "Create this directory?"};
}

SetupSession::SetupSession() : m_run("Setup") {
    // File dates are shown in local time; the tests state them in UTC.
    m_run.environment("TZ", "UTC");
    m_run.environment("HOME", Directory().string());
    std::filesystem::create_directories(DriveC());
    UpdateDrives();
    WriteIni(DefaultIniEntries());
    WriteText(DefaultTextEntries());
    WriteSource("Files/readme.txt", "Read me first.\n");
    WriteSource("Files/sub/data.bin", std::string(3000, 'd'));
    WriteSource("Files/sub/deeper/notes.txt", "notes");
    WriteSource("Files/.hidden/secret.txt", "not installed");
}

void SetupSession::WriteIni(const std::vector<std::string>& entries) {
    WriteLines(Directory() / "Setup.ini", entries);
}

void SetupSession::WriteText(const std::vector<std::string>& entries) {
    WriteLines(Directory() / "Setup.txt", entries);
}

void SetupSession::RemoveFile(const std::string& name) {
    std::filesystem::remove(Directory() / name);
}

void SetupSession::WriteSource(const std::string& relative, const std::string& contents) {
    const std::filesystem::path path = Directory() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

void SetupSession::SetFreeBytes(unsigned long long bytes) {
    m_freeBytes = bytes;
    UpdateDrives();
}

void SetupSession::AddDrive(const std::string& spec) {
    m_extraDrives += ";" + spec;
    UpdateDrives();
}

void SetupSession::UpdateDrives() {
    m_run.environment("MULLION_DRIVES", "C=" + DriveC().string() + ":fixed:" +
                                            std::to_string(m_freeBytes) + m_extraDrives);
}

SetupSession& SetupSession::Step(const std::string& step) {
    m_script += step + "\n";
    return *this;
}

SetupSession& SetupSession::Capture(const std::string& name) {
    // Both steps first wait until the queues are empty and every window is painted.
    return Step("dump " + name + ".json").Step("shot " + name + ".png");
}

SetupSession& SetupSession::CaptureWhenShown(const std::string& title, const std::string& name) {
    return Step("wait-window " + title).Capture(name);
}

SetupSession& SetupSession::CaptureAfterCopy(const std::string& name) {
    // The copying thread counts as idle once it has ended or waits for an answer.
    return Step("idle").Capture(name);
}

ProgramResult SetupSession::Finish(bool quit) {
    const ProgramResult result = m_run.run_script("idle\n" + m_script + (quit ? "quit\n" : ""));
    EXPECT_FALSE(result.timed_out) << result.output;
    return result;
}

const Dump& SetupSession::DumpOf(const std::string& name) {
    auto found = m_dumps.find(name);
    if (found == m_dumps.end())
        found = m_dumps.emplace(name, Dump::load(m_run.file(name + ".json"))).first;
    return found->second;
}

PngImage SetupSession::ImageOf(const std::string& name) const {
    return PngImage::load(m_run.file(name + ".png"));
}

const json& Window(const Dump& dump, const std::string& title) {
    const json* window = dump.top_level(title);
    if (!window)
        throw std::runtime_error("no window titled " + title);
    return *window;
}

const json& Control(const json& window, int id) {
    const json* control = Dump::child_with_id(window, id);
    if (!control)
        throw std::runtime_error("no control " + std::to_string(id));
    return *control;
}

std::string Text(const json& window, int id) {
    return Control(window, id)["text"].get<std::string>();
}

const json* MessageBoxWindow(const Dump& dump, const std::string& caption) {
    for (const auto& window : dump.json()["windows"])
        if (window["text"] == caption && window["visible"] == true &&
            Dump::child_with_id(window, kMessageBoxText))
            return &window;
    return nullptr;
}

std::string MessageBoxText(const json& box) {
    return Text(box, kMessageBoxText);
}

std::string ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SetWriteTime(const std::filesystem::path& path, long long unixSeconds) {
    const timeval times[2] = {{static_cast<time_t>(unixSeconds), 0},
                              {static_cast<time_t>(unixSeconds), 0}};
    if (utimes(path.c_str(), times) != 0)
        throw std::runtime_error("cannot set the time of " + path.string());
}

} // namespace setup_tests
