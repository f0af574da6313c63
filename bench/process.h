#pragma once

#include <map>
#include <string>
#include <vector>

// Runs a program to its end with the environment of this process changed
// by `changes`, its output thrown away. Returns the exit status, or -1 when
// it could not be started or did not exit normally.
int runProcess(const std::vector<std::string>& arguments,
               const std::map<std::string, std::string>& changes = {});
