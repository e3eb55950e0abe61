// Runs a dialogue in memory on the standard input of a transcript case (tests/<program>/cases)
// and checks its standard output and exit status. Files the case gives are written into a
// fresh folder, where the dialogue runs.
#ifndef TESTS_WORKED_EXAMPLE_H
#define TESTS_WORKED_EXAMPLE_H

#include "console/program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

inline void expect_case(int (*run)(console::Input&, console::Output&), const std::string& case_file)
{
    std::ifstream file(std::string(TESTS_DIR) + "/" + case_file);
    ASSERT_TRUE(file) << case_file;
    std::map<std::string, std::string> sections;  // "stdin", "stdout", "status 0", "file NAME"
    std::string line, header;
    while (std::getline(file, line))
        if (line.rfind("== ", 0) == 0)
            sections[header = line.substr(3)];
        else if (!header.empty())
            sections[header] += line + '\n';

    char folder[] = "/tmp/dialogueXXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    int status = -1;
    for (const auto& [name, body] : sections)
        if (name.rfind("file ", 0) == 0)
            std::ofstream(name.substr(5)) << body;
        else if (name.rfind("status ", 0) == 0)
            status = std::stoi(name.substr(7));
    console::Input in(sections["stdin"]);
    std::string shown;
    {
        console::Output out(shown);
        EXPECT_EQ(console::guarded(out, [&] { return run(in, out); }), status) << case_file;
    }
    EXPECT_EQ(shown, sections["stdout"]) << case_file;
    std::filesystem::current_path(home);
    std::filesystem::remove_all(folder);
}

#endif
