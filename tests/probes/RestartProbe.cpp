// A stand-in for "Restart.exe": each start appends one line to starts.log beside itself, so a test
// can count how often (and which copy) was started.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    std::ofstream log(folder + "starts.log", std::ios::app);
    log << path << "\n";
    return 0;
}
