// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for a program that the calculator starts, such as the shutdown command, put first
// on PATH under that program's name by the tests. It appends its name and arguments as one line
// to the file "started" in its own folder and ends with the status in the file "status" there,
// 0 without one. It needs nothing but the C library, so that it runs anywhere it is copied to.

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    const std::string path = argv[0];
    const std::size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string line = slash == std::string::npos ? path : path.substr(slash + 1);
    if (line.size() > 4 && line.compare(line.size() - 4, 4, ".exe") == 0)
        line.resize(line.size() - 4);
    for (int i = 1; i < argc; ++i)
        line += ' ' + std::string(argv[i]);

    if (FILE *record = std::fopen((folder + "/started").c_str(), "ab")) {
        std::fprintf(record, "%s\n", line.c_str());
        std::fclose(record);
    }
    int status = 0;
    if (FILE *file = std::fopen((folder + "/status").c_str(), "r")) {
        if (std::fscanf(file, "%d", &status) != 1)
            status = 0;
        std::fclose(file);
    }
    return status;
}
