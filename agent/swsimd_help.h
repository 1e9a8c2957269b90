#pragma once
// swsimd's --help and --version, answered before the other options are looked at.

#include <string>

namespace agent {

std::string swsimdHelp();
// Prints the help or the version when asked for and returns 0; -1 when neither was asked.
int answerHelpOrVersion(int argc, const char* const* argv);

}  // namespace agent
