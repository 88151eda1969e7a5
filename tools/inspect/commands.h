// Subcommands of senvola-inspect. Each returns the process exit status; usage errors return 2
// after a message on stderr.
#pragma once

#include <string>
#include <vector>

namespace senvola::inspect {

using Args = std::vector<std::string>;  // arguments after the subcommand name

int CmdCheck(const Args& args);
int CmdRead(const Args& args);
int CmdReplay(const Args& args);
int CmdLayout(const Args& args);
int CmdRender(const Args& args);  // Windows build or the cairo canvas; elsewhere a usage error

int UsageError(const std::string& message);

}  // namespace senvola::inspect
