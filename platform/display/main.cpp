// The process entry point of every program: sets the platform up around WinMain.
#include "display/program_session.h"
#include "windows.h"

#include <string>

int main(int argc, char** argv) {
    mullion::ProgramSession session(argc, argv);
    std::string arguments = session.arguments_line();
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, arguments.data(), SW_SHOWNORMAL);
    return session.finish(result);
}
